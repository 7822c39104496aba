#include "messages/KillWordFilter.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

std::optional<QByteArray> match(const char *killWords, const char *text)
{
    return findKillWord(QByteArrayView(killWords), QByteArrayView(text));
}

TEST(KillWordFilter, WholeWordsBetweenDelimitersAndEntriesByCommaOrLine)
{
    EXPECT_EQ(match("free\r\n", "carefree"), std::nullopt);
    EXPECT_EQ(match("free\r\n", "free-for-all"), std::nullopt) << "'-' is no delimiter";
    for (const char *text : {"(free)", "'free'", "\"free\"", "a.free;b", "x,free?", "\tfree\r\nmore"})
        EXPECT_EQ(match("free", text), "FREE"_ba) << text;

    const char *text = "You won free money today";
    EXPECT_EQ(match("spam\nfree money\ncash", text), "FREE MONEY"_ba);
    EXPECT_EQ(match("free money\r\n", "free to spend money"), std::nullopt) << "a phrase matches only whole";
    EXPECT_EQ(match("cash,today,won\r\n", text), "TODAY"_ba) << "the first entry of the file that matches";
    EXPECT_EQ(match(",, \t ,\r\n\r\n  \r\n", "a b"), std::nullopt) << "blank entries are no words";
    EXPECT_EQ(match("\tgold\v\f\r\n", "pure gold."), "GOLD"_ba);
}

TEST(KillWordFilter, CaseIsIgnoredBeyondAscii)
{
    EXPECT_EQ(match("\xc3\x84RGER\r\n", "So ein \xc3\xa4rger!"), "\xc3\x84RGER"_ba);
    EXPECT_EQ(match("\xc3\xa4rger\r\n", "\xc3\x84RGERLICH"), std::nullopt);
    // A Windows-1252 message against a UTF-8 kill-word file, and the reverse.
    EXPECT_EQ(match("\xc3\x84RGER\r\n", "so ein \xe4rger"), "\xc3\x84RGER"_ba);
    EXPECT_EQ(match("\xe4rger\r\n", "SO EIN \xc3\x84RGER"), "\xc3\x84RGER"_ba);
    // The 0x80 row of Windows-1252: s and S with caron.
    EXPECT_EQ(match("\x9a"
                    "ef\r\n",
                    "\x8a"
                    "EF!"),
              "\xc5\xa0"
              "EF"_ba);
    EXPECT_EQ(match("free\r\n",
                    "\xc3\xa4"
                    "free"),
              std::nullopt)
        << "a letter is no delimiter";
}

} // namespace
} // namespace tq
