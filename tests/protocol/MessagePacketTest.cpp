#include "protocol/MessagePacket.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <tuple>

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

using Fields = std::tuple<bool, QByteArray, QByteArray, QByteArray, char, QByteArray, QByteArray>;

// Well-formed, tag, text, system name, importance, e-mail and reply address.
Fields fields(const ParsedPacket &p)
{
    return {p.wellFormed, p.tag, p.text, p.systemName, p.importance, p.email, p.replyAddress};
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
        const QByteArray address = "10.0.0.5:"_ba + QByteArray::number(port);
        Fields expected{true, {}, samplePacket().text, "ANNPC"_ba, '1', "ann@example.org"_ba, address};
        EXPECT_EQ(fields(ParseStreamPacket(BuildStreamPacket(samplePacket(), "10.0.0.5", port))), expected);
        std::get<6>(expected) = address + 'u';
        EXPECT_EQ(fields(ParseDatagramPacket(BuildDatagramPacket(samplePacket(), "10.0.0.5", port))), expected);
    }
}

TEST(MessagePacket, HandWrittenPackets)
{
    const std::pair<QByteArray, Fields> stream[] = {
        // Empty tag and empty text.
        {"/$0/$1PC/$2/$30/$4/$7/$5:7777/$6/$7", {true, {}, {}, "PC", '0', {}, ":7777"}},
        // The short form ending in "/$4" and a line feed: no e-mail and no reply address.
        {"TAG/$0hello/$1PC/$2/$31/$4\n", {true, "TAG", "hello", "PC", '1', {}, {}}},
        // No "/$3" and no "/$4": importance stays '0'.
        {"/$0hi/$1PC/$2 trailing/$7", {true, {}, "hi", "PC", '0', {}, {}}},
        // The text ends at its own "/$1": the rest shifts into the system name.
        {"/$0a/$1b/$1PC/$2/$30/$4/$7/$5:1/$6/$7", {true, {}, "a", "b/$1PC", '0', {}, ":1"}},
        // Everything after the first NUL is not part of the packet.
        {bytes("/$0hi/$1PC/$2/$30/$4/$7\0garbage"), {true, {}, "hi", "PC", '0', {}, {}}},
    };
    for (const auto &[input, expected] : stream)
        EXPECT_EQ(fields(ParseStreamPacket(input)), expected) << input.constData();

    // A text may hold "#1": a datagram marker needs the NUL in front.
    EXPECT_EQ(fields(ParseDatagramPacket(bytes("\0#0issue #1 fixed\0#1PC\0#2\0#30\0#4\0#5:7777u\0#6"))),
              Fields(true, {}, "issue #1 fixed", "PC", '0', {}, ":7777u"));
}

TEST(MessagePacket, IllFormedPackets)
{
    for (const char *input : {
             "/$0hi/$1/$2/$30/$4/$7/$5:7777/$6/$7", // empty system name
             "/$0hi/$1PC/$2/$30/$4x/$7/$5:7777/$6/$7 ", // no terminator
             "/$0hi/$1PC/$2/$30/$4", // no line feed after /$4
             "hi/$1PC/$2/$30/$4/$7", // no /$0
             "/$0hi/$2PC/$1/$7", // markers out of order
             "/$0/$1/$7", "",
             "/$0/$1", // marker in the last three bytes
         })
        EXPECT_FALSE(ParseStreamPacket(input).wellFormed) << input;

    for (const QByteArray &input : {
             bytes("\0#0hi\0#1\0#2\0#30\0#4\0#5:1u\0#6\0#7\0#8\0#9\0"), // empty system name
             bytes("\0#0hi\0#1PC\0#2\0#30\0#4\0#5:1u"), // no "#6"
             bytes("\0#0hi\0#1PC\0#2\0#4\0#5:1u\0#6"), // a missing marker hides the later ones
             QByteArray(),
         })
        EXPECT_FALSE(ParseDatagramPacket(input).wellFormed) << input.toPercentEncoding().constData();
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
