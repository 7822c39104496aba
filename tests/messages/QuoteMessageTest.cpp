#include "messages/QuoteMessage.h"
#include "messages/ComposeReplaceable.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

const QByteArray kStamp = "Friday, 4 December 2026, 10:15:02\r\n"_ba;

TEST(QuoteMessage, HeadingsOfEveryKindGoWithTheEmptyLineAfterThem)
{
    const QByteArray expected = ">Hi\r\n>there\r\n>\r\n"_ba;
    EXPECT_EQ(QuoteMessage(kStamp + "Message from Ann to Bob.\r\n\r\nHi\r\nthere"), expected);
    EXPECT_EQ(QuoteMessage(kStamp + "Broadcast message from Ann.\r\n\r\nHi\r\nthere"), expected);
    EXPECT_EQ(QuoteMessage(kStamp + "Autoanswer from Ann.\r\n\r\nHi\r\nthere"), expected);
    EXPECT_EQ(QuoteMessage(kStamp + "Ann You Wrote:\r\n\r\nHi\r\nthere"), expected);
    EXPECT_EQ(QuoteMessage(kStamp + "Message from Ann to Bob.\r\n\r\nOne\r\n\r\nTwo"), ">One\r\n>\r\n>Two\r\n>\r\n"_ba);
    // A station that writes no empty line after its heading keeps its first line.
    EXPECT_EQ(QuoteMessage(kStamp + "Message from Ann to Bob.\r\nHi"), ">Hi\r\n>\r\n"_ba);
}

TEST(QuoteMessage, TextWithoutHeadingKeepsEveryLine)
{
    EXPECT_EQ(QuoteMessage(kStamp + "Hello"), ">Hello\r\n>\r\n"_ba);
    EXPECT_EQ(QuoteMessage(kStamp + " Message from Ann\r\n\r\nx"), "> Message from Ann\r\n>\r\n>x\r\n>\r\n"_ba);
    EXPECT_EQ(QuoteMessage(kStamp + "Autoanswer fromAnn\r\n\r\nx"), ">Autoanswer fromAnn\r\n>\r\n>x\r\n>\r\n"_ba);
    EXPECT_EQ(QuoteMessage(kStamp + "Hi\r\nAnn You Wrote:\r\n\r\nx"), ">Hi\r\n>Ann You Wrote:\r\n>\r\n>x\r\n>\r\n"_ba);
    EXPECT_EQ(QuoteMessage(kStamp + "Ann You Wrote: yes\r\nx"), ">Ann You Wrote: yes\r\n>x\r\n>\r\n"_ba);
    // Bytes pass as they came: Windows-1252, UTF-8, a lone CR, a NUL.
    EXPECT_EQ(QuoteMessage(kStamp + QByteArray("\xe4\r\n\xc3\xa4\rb\0c", 9)),
              QByteArray(">\xe4\r\n>\xc3\xa4\rb\0c\r\n>\r\n", 16));
}

TEST(QuoteMessage, EmptyRecordsAndEmptyTexts)
{
    EXPECT_EQ(QuoteMessage(QByteArray()), QByteArray());
    EXPECT_EQ(QuoteMessage(kStamp), ">\r\n>\r\n"_ba);
    EXPECT_EQ(QuoteMessage(kStamp + "Message from Ann to Bob.\r\n\r\n"), ">\r\n>\r\n"_ba);
    EXPECT_EQ(QuoteMessage("stamp without line end"_ba), ">\r\n>\r\n"_ba);
}

TEST(ComposeReplaceable, OnlyTheSixWhiteSpaceCharactersAreBlank)
{
    EXPECT_TRUE(composeReplaceableFor(u""));
    EXPECT_TRUE(composeReplaceableFor(u" \t\r\n\v\f "));
    EXPECT_FALSE(composeReplaceableFor(u"\r\n>"));
    EXPECT_FALSE(composeReplaceableFor(u"\u00a0"));
}

} // namespace
} // namespace tq
