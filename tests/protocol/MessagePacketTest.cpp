#include "protocol/MessagePacket.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

// A byte string from a literal that may hold NUL bytes.
template <std::size_t N>
QByteArray bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

MessagePacket samplePacket()
{
    return {QByteArray(), "Message from Ann to Bob.\r\n\r\nHi"_ba, "ANNPC"_ba, '1', "ann@example.org"_ba};
}

TEST(MessagePacket, StreamFormIsByteExact)
{
    EXPECT_EQ(BuildStreamPacket(samplePacket(), "10.0.0.5", 7777),
              "/$0Message from Ann to Bob.\r\n\r\nHi/$1ANNPC/$2/$31/$4ann@example.org/$7/$510.0.0.5:7777/$6/$7"_ba);
    MessagePacket receipt{"NOTIFY_MESSAGE"_ba, "t"_ba, "S"_ba, '0', {}};
    EXPECT_EQ(BuildStreamPacket(receipt, "", 65000), "NOTIFY_MESSAGE/$0t/$1S/$2/$30/$4/$7/$5:65000/$6/$7"_ba);
}

TEST(MessagePacket, DatagramFormIsByteExactAndFollowsTheLengthRule)
{
    const QByteArray datagram = BuildDatagramPacket(samplePacket(), "10.0.0.5", 7777);
    const QByteArray expected = bytes("\0#0Message from Ann to Bob.\r\n\r\nHi\0#1ANNPC\0#2\0#31\0#4ann@example.org\0#5"
                                      "10.0.0.5:7777u\0#6\0#7\0#8\0#9\0");
    EXPECT_EQ(datagram, expected);

    // Fixed overhead of 38 bytes with a four-digit port; one more for five digits.
    MessagePacket empty{{}, {}, "S"_ba, '0', {}};
    EXPECT_EQ(BuildDatagramPacket(empty, "", 7777).size(), 38 + 1);
    EXPECT_EQ(BuildDatagramPacket(empty, "", 17777).size(), 39 + 1);
    EXPECT_EQ(datagram.size(), 38 + 30 + 5 + 15 + 8);
}

TEST(MessagePacket, BuiltPacketsParseBackIntoTheirFields)
{
    for (int port : {7777, 65535}) {
        const ParsedPacket stream = ParseStreamPacket(BuildStreamPacket(samplePacket(), "10.0.0.5", port));
        ASSERT_TRUE(stream.wellFormed);
        EXPECT_EQ(stream.tag, QByteArray());
        EXPECT_EQ(stream.text, "Message from Ann to Bob.\r\n\r\nHi"_ba);
        EXPECT_EQ(stream.systemName, "ANNPC"_ba);
        EXPECT_EQ(stream.importance, '1');
        EXPECT_EQ(stream.email, "ann@example.org"_ba);
        EXPECT_EQ(stream.replyAddress, "10.0.0.5:"_ba + QByteArray::number(port));

        const ParsedPacket datagram = ParseDatagramPacket(BuildDatagramPacket(samplePacket(), "10.0.0.5", port));
        ASSERT_TRUE(datagram.wellFormed);
        EXPECT_EQ(std::tie(datagram.text, datagram.systemName, datagram.importance, datagram.email),
                  std::tie(stream.text, stream.systemName, stream.importance, stream.email));
        EXPECT_EQ(datagram.replyAddress, stream.replyAddress + 'u');
    }
}

TEST(MessagePacket, HandWrittenStreamPackets)
{
    // Empty tag and empty text.
    ParsedPacket p = ParseStreamPacket("/$0/$1PC/$2/$30/$4/$7/$5:7777/$6/$7");
    ASSERT_TRUE(p.wellFormed);
    EXPECT_TRUE(p.tag.isEmpty());
    EXPECT_TRUE(p.text.isEmpty());
    EXPECT_TRUE(p.email.isEmpty());
    EXPECT_EQ(p.replyAddress, ":7777"_ba);

    // The short form ending in "/$4" and a line feed: no e-mail and no reply address.
    p = ParseStreamPacket("TAG/$0hello/$1PC/$2/$31/$4\n");
    ASSERT_TRUE(p.wellFormed);
    EXPECT_EQ(p.tag, "TAG"_ba);
    EXPECT_EQ(p.text, "hello"_ba);
    EXPECT_EQ(p.importance, '1');
    EXPECT_TRUE(p.email.isEmpty());
    EXPECT_TRUE(p.replyAddress.isEmpty());

    // No "/$3" and no "/$4": importance stays '0'.
    p = ParseStreamPacket("/$0hi/$1PC/$2 trailing/$7");
    ASSERT_TRUE(p.wellFormed);
    EXPECT_EQ(p.importance, '0');

    // The text ends at its own "/$1": the rest shifts into the system name.
    p = ParseStreamPacket("/$0a/$1b/$1PC/$2/$30/$4/$7/$5:1/$6/$7");
    ASSERT_TRUE(p.wellFormed);
    EXPECT_EQ(p.text, "a"_ba);
    EXPECT_EQ(p.systemName, "b/$1PC"_ba);

    // Everything after the first NUL is not part of the text.
    p = ParseStreamPacket(bytes("/$0hi/$1PC/$2/$30/$4/$7\0garbage"));
    EXPECT_TRUE(p.wellFormed);
}

TEST(MessagePacket, IllFormedStreamPackets)
{
    EXPECT_FALSE(ParseStreamPacket("/$0hi/$1/$2/$30/$4/$7/$5:7777/$6/$7").wellFormed) << "empty system name";
    EXPECT_FALSE(ParseStreamPacket("/$0hi/$1PC/$2/$30/$4x/$7/$5:7777/$6/$7 ").wellFormed) << "no terminator";
    EXPECT_FALSE(ParseStreamPacket("/$0hi/$1PC/$2/$30/$4").wellFormed) << "no line feed after /$4";
    EXPECT_FALSE(ParseStreamPacket("hi/$1PC/$2/$30/$4/$7").wellFormed) << "no /$0";
    EXPECT_FALSE(ParseStreamPacket("/$0hi/$2PC/$1/$7").wellFormed) << "markers out of order";
    EXPECT_FALSE(ParseStreamPacket("/$0/$1/$7").wellFormed);
    EXPECT_FALSE(ParseStreamPacket("").wellFormed);
    EXPECT_FALSE(ParseStreamPacket("/$0/$1").wellFormed) << "marker in the last three bytes";
}

TEST(MessagePacket, HandWrittenDatagramPackets)
{
    // A text may hold "#1": a datagram marker needs the NUL in front.
    const QByteArray withHash = bytes("\0#0issue #1 fixed\0#1PC\0#2\0#30\0#4\0#5:7777u\0#6");
    ParsedPacket p = ParseDatagramPacket(withHash);
    ASSERT_TRUE(p.wellFormed);
    EXPECT_TRUE(p.tag.isEmpty());
    EXPECT_EQ(p.text, "issue #1 fixed"_ba);
    EXPECT_EQ(p.systemName, "PC"_ba);
    EXPECT_EQ(p.replyAddress, ":7777u"_ba);
    EXPECT_TRUE(p.email.isEmpty());

    const QByteArray emptyName = bytes("\0#0hi\0#1\0#2\0#30\0#4\0#5:1u\0#6\0#7\0#8\0#9\0");
    EXPECT_FALSE(ParseDatagramPacket(emptyName).wellFormed);
    const QByteArray noSix = bytes("\0#0hi\0#1PC\0#2\0#30\0#4\0#5:1u");
    EXPECT_FALSE(ParseDatagramPacket(noSix).wellFormed);
    const QByteArray noThree = bytes("\0#0hi\0#1PC\0#2\0#4\0#5:1u\0#6");
    EXPECT_FALSE(ParseDatagramPacket(noThree).wellFormed) << "a missing marker hides the later ones";
    EXPECT_FALSE(ParseDatagramPacket(QByteArray()).wellFormed);
}

TEST(MessagePacket, KeywordTestsLookAtTheStartOnly)
{
    EXPECT_TRUE(isDeliveryReceipt(bytes("NOTIFY_MESSAGE\0#0")));
    EXPECT_FALSE(isDeliveryReceipt("NOTIFY_MESSAG"));
    EXPECT_FALSE(isDeliveryReceipt(" NOTIFY_MESSAGE"));
    EXPECT_TRUE(isIdentificationProbe("QA_IDENTIFY_MESSAGE/$7"));
    EXPECT_FALSE(isIdentificationProbe("QA_IDENTIFY"));
}

} // namespace
} // namespace tq
