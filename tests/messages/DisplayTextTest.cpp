#include "messages/DisplayText.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

TEST(DisplayTextTest, Utf8IsShownAsUtf8AndEverythingElseAsWindows1252)
{
    EXPECT_EQ(decodeMessageBytes(QByteArray("Gr\xC3\xBC\xC3\x9F"
                                            "e")),
              QStringLiteral("Grüße"));
    // The same word from a station writing Windows-1252, with its euro sign and quotes.
    EXPECT_EQ(decodeMessageBytes(QByteArray("Gr\xFC\xDF"
                                            "e \x80 \x93x\x94")),
              QStringLiteral("Grüße € “x”"));
    // One stray byte turns the whole text to Windows-1252, not to replacement characters.
    EXPECT_EQ(decodeMessageBytes(QByteArray("\xC3\xBC and \xFC")), QStringLiteral("Ã¼ and ü"));
}

TEST(DisplayTextTest, Windows1252EncodingGivesBackEveryByteAndRefusesWhatHasNoPlace)
{
    QByteArray everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte.append(static_cast<char>(byte));
    ASSERT_TRUE(isEightBitText(everyByte));
    EXPECT_EQ(encodeWindows1252(decodeMessageBytes(everyByte)), everyByte);

    EXPECT_EQ(encodeWindows1252(QStringLiteral("Grüße € “x”")),
              QByteArray("Gr\xFC\xDF"
                         "e \x80 \x93x\x94"));
    EXPECT_EQ(encodeWindows1252(QStringLiteral("Grüße →")), std::nullopt);
    EXPECT_EQ(encodeWindows1252(QStringLiteral("\u0080")), std::nullopt) << "0x80 stands for the euro sign";
    EXPECT_FALSE(isEightBitText("plain ASCII"));
    EXPECT_FALSE(isEightBitText("Gr\xC3\xBC\xC3\x9F"
                                "e"));
}

TEST(DisplayTextTest, CrLfIsOneLineBreak)
{
    EXPECT_EQ(displayText(QByteArray("a\r\nb\r\n\r\nc\rd\ne")), QStringLiteral("a\nb\n\nc\nd\ne"));
}

} // namespace
} // namespace tq
