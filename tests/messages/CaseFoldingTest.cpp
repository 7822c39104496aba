#include "messages/CaseFolding.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

TEST(CaseFolding, TheQuickAsciiFoldAgreesWithTheFullOne)
{
    QByteArray ascii;
    for (int c = 0; c < 0x80; ++c)
        ascii.append(char(c));
    // One byte above ASCII sends the text down the full road; the ASCII part must fold alike.
    const QByteArray folded = foldMessageBytesToUtf8(ascii);
    EXPECT_EQ(folded, foldMessageBytes(ascii).toUtf8());
    EXPECT_EQ(foldMessageBytesToUtf8(ascii + "\xE9").chopped(2), folded);

    EXPECT_EQ(foldMessageBytesToUtf8("Stra\xDF"
                                     "e \x9A"
                                     "ef"),
              QByteArray("STRASSE \xC5\xA0"
                         "EF"))
        << "Windows-1252";
    EXPECT_EQ(foldMessageBytesToUtf8("Stra\xC3\x9F"
                                     "e"),
              QByteArray("STRASSE"))
        << "UTF-8";
}

} // namespace
} // namespace tq
