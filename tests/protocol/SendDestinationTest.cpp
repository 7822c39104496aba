#include "protocol/SendDestination.h"
#include "protocol/CSendThread.h"
#include "protocol/CTcpSendWorker.h"
#include "protocol/HostResolver.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

TEST(SendDestinationTest, ListIsSplitAtSemicolonsAndAtSignAfterTheLastSlashMakesAnEmailDestination)
{
    // Spaces inside or at the end of an entry belong to it; blank entries go.
    EXPECT_EQ(splitDestinationList(u" ;a; ;;  Bob Smith/10.0.0.5 ;"_s),
              QStringList({u"a"_s, u"Bob Smith/10.0.0.5 "_s}));
    EXPECT_TRUE(splitDestinationList(u" ; ;"_s).isEmpty());

    EXPECT_EQ(mailAddressOf(u"bob@example.org"_s), u"bob@example.org"_s);
    EXPECT_EQ(mailAddressOf(u"A/B/bob@example.org"_s), u"bob@example.org"_s);
    EXPECT_EQ(mailAddressOf(u"bob@example.org/10.0.0.5"_s), std::nullopt);
    EXPECT_EQ(mailAddressOf(u"Name/10.0.0.5:7777"_s), std::nullopt);
}

TEST(SendDestinationTest, PortAndTransportFollowTheAddressAndUseProtocol)
{
    constexpr int kTcp = 7777;
    constexpr int kUdp = 7788;
    constexpr auto Tcp = SendTransport::Tcp;
    constexpr auto Udp = SendTransport::Udp;
    struct Case {
        QString address;
        int useProtocol;
        NetworkTarget expected;
    };
    const Case cases[] = {
        {u"host"_s, 2, {u"host"_s, kTcp, Tcp}},
        {u"host:7000"_s, 2, {u"host"_s, 7000, Tcp}},
        {u"host:7777u"_s, 2, {u"host"_s, 7777, Udp}},
        {u"host:7000U"_s, 2, {u"host"_s, 7000, Udp}},
        {u"host:u"_s, 2, {u"host"_s, kUdp, Udp}},
        {u"Name/10.0.0.5:7777"_s, 2, {u"10.0.0.5"_s, 7777, Tcp}},
        {u"hostu"_s, 2, {u"hostu"_s, kTcp, Tcp}}, // without a ':' the "u" is part of the name
        // Every port up to 65535 is kept; anything else takes the default.
        {u"h:65535u"_s, 2, {u"h"_s, 65535, Udp}},
        {u"h:1"_s, 2, {u"h"_s, 1, Tcp}},
        {u"h:65536"_s, 2, {u"h"_s, kTcp, Tcp}},
        {u"h:0u"_s, 2, {u"h"_s, kUdp, Udp}},
        {u"h:-5"_s, 2, {u"h"_s, kTcp, Tcp}},
        {u"h:abc"_s, 2, {u"h"_s, kTcp, Tcp}},
        {u"h:99999999999999999999"_s, 2, {u"h"_s, kTcp, Tcp}},
        {u"h:"_s, 2, {u"h"_s, kTcp, Tcp}},
        // "UseProtocol" forces the transport but keeps the port.
        {u"host"_s, 1, {u"host"_s, kTcp, Udp}},
        {u"host:7000u"_s, 0, {u"host"_s, 7000, Tcp}},
        {u"host:u"_s, 0, {u"host"_s, kUdp, Tcp}},
        {u"host:u"_s, 5, {u"host"_s, kUdp, Udp}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(networkTarget(c.address, kTcp, kUdp, c.useProtocol), c.expected)
            << c.address.toStdString() << " with " << c.useProtocol;
}

TEST(SendDestinationTest, FailureListIsSortedByBytesAndAnswerIsReadAsTheCLibraryReadsANumber)
{
    EXPECT_EQ(failedDestinationsText({u"b"_s, u"\u00e4"_s, u"a"_s, u"B"_s, u"a"_s}), u"B\r\na\r\na\r\nb\r\n\u00e4"_s);

    EXPECT_EQ(CTcpSendWorker::answeredLength(" 42\r\n"), 42);
    EXPECT_EQ(CTcpSendWorker::answeredLength("12abc"), 12);
    EXPECT_EQ(CTcpSendWorker::answeredLength("OK"), 0);
    EXPECT_EQ(CTcpSendWorker::answeredLength("9999999999"), 9999999999LL);
}

TEST(HostResolverTest, DottedAddressesNeedNoLookupAndReservedNamesNeverReachTheNetwork)
{
    int lookups = 0;
    const HostResolver resolver([&](const QByteArray &) {
        ++lookups;
        return std::optional<std::uint32_t>();
    });
    const HostLookup dotted = resolver.resolve("127.0.0.5");
    EXPECT_TRUE(dotted.isDone());
    EXPECT_EQ(dotted.address(), inet_addr("127.0.0.5"));
    EXPECT_EQ(resolver.resolve("255.255.255.255").address(), 0xffffffffu);
    EXPECT_EQ(resolver.resolve("").address(), std::nullopt);
    EXPECT_EQ(lookups, 0);
    EXPECT_EQ(HostResolver::systemLookup("NoHost.INVALID."), std::nullopt);
}

} // namespace
} // namespace tq
