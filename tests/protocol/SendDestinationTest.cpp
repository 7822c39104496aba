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

constexpr int kTcp = 7777;
constexpr int kUdp = 7788;

NetworkTarget target(const char *host, int port, SendTransport transport)
{
    return {QString::fromUtf8(host), port, transport};
}

TEST(SendDestinationTest, ListIsSplitAtSemicolonsSkippingSpacesAndEmptyEntries)
{
    EXPECT_EQ(splitDestinationList(QStringLiteral("a;b")), QStringList({u"a"_s, u"b"_s}));
    EXPECT_EQ(splitDestinationList(QStringLiteral(" ;a; ;;  b;")), QStringList({u"a"_s, u"b"_s}));
    // Spaces inside or at the end of an entry belong to it.
    EXPECT_EQ(splitDestinationList(QStringLiteral("Bob Smith/10.0.0.5 ;x")),
              QStringList({u"Bob Smith/10.0.0.5 "_s, u"x"_s}));
    EXPECT_TRUE(splitDestinationList(QStringLiteral("")).isEmpty());
    EXPECT_TRUE(splitDestinationList(QStringLiteral(" ; ;")).isEmpty());
}

TEST(SendDestinationTest, AtSignAfterTheLastSlashMakesAnEmailDestination)
{
    EXPECT_EQ(mailAddressOf(u"bob@example.org"_s), u"bob@example.org"_s);
    EXPECT_EQ(mailAddressOf(u"Bob/bob@example.org"_s), u"bob@example.org"_s);
    EXPECT_EQ(mailAddressOf(u"A/B/bob@example.org"_s), u"bob@example.org"_s);
    EXPECT_EQ(mailAddressOf(u"bob@example.org/10.0.0.5"_s), std::nullopt);
    EXPECT_EQ(mailAddressOf(u"Name/10.0.0.5:7777"_s), std::nullopt);
    EXPECT_EQ(mailAddressOf(u"host"_s), std::nullopt);
}

TEST(SendDestinationTest, PortAndTransportFollowTheAddress)
{
    EXPECT_EQ(networkTarget(u"host"_s, kTcp, kUdp, 2), target("host", kTcp, SendTransport::Tcp));
    EXPECT_EQ(networkTarget(u"host:7000"_s, kTcp, kUdp, 2), target("host", 7000, SendTransport::Tcp));
    EXPECT_EQ(networkTarget(u"host:7777u"_s, kTcp, kUdp, 2), target("host", 7777, SendTransport::Udp));
    EXPECT_EQ(networkTarget(u"host:7000U"_s, kTcp, kUdp, 2), target("host", 7000, SendTransport::Udp));
    EXPECT_EQ(networkTarget(u"host:u"_s, kTcp, kUdp, 2), target("host", kUdp, SendTransport::Udp));
    EXPECT_EQ(networkTarget(u"Name/10.0.0.5:7777"_s, kTcp, kUdp, 2), target("10.0.0.5", 7777, SendTransport::Tcp));
    EXPECT_EQ(networkTarget(u"255.255.255.255:u"_s, kTcp, kUdp, 2),
              target("255.255.255.255", kUdp, SendTransport::Udp));
    // Without a ":" a trailing "u" is part of the name.
    EXPECT_EQ(networkTarget(u"hostu"_s, kTcp, kUdp, 2), target("hostu", kTcp, SendTransport::Tcp));
}

TEST(SendDestinationTest, EveryPortUpTo65535IsKeptAndOthersTakeTheDefault)
{
    EXPECT_EQ(networkTarget(u"h:40000"_s, kTcp, kUdp, 2).port, 40000);
    EXPECT_EQ(networkTarget(u"h:65535u"_s, kTcp, kUdp, 2).port, 65535);
    EXPECT_EQ(networkTarget(u"h:1"_s, kTcp, kUdp, 2).port, 1);
    EXPECT_EQ(networkTarget(u"h:65536"_s, kTcp, kUdp, 2).port, kTcp);
    EXPECT_EQ(networkTarget(u"h:0u"_s, kTcp, kUdp, 2).port, kUdp);
    EXPECT_EQ(networkTarget(u"h:-5"_s, kTcp, kUdp, 2).port, kTcp);
    EXPECT_EQ(networkTarget(u"h:abc"_s, kTcp, kUdp, 2).port, kTcp);
    EXPECT_EQ(networkTarget(u"h:99999999999999999999"_s, kTcp, kUdp, 2).port, kTcp);
    EXPECT_EQ(networkTarget(u"h:"_s, kTcp, kUdp, 2).port, kTcp);
}

TEST(SendDestinationTest, UseProtocolForcesTheTransportButKeepsThePort)
{
    EXPECT_EQ(networkTarget(u"host"_s, kTcp, kUdp, 1), target("host", kTcp, SendTransport::Udp));
    EXPECT_EQ(networkTarget(u"host:7000u"_s, kTcp, kUdp, 0), target("host", 7000, SendTransport::Tcp));
    EXPECT_EQ(networkTarget(u"host:u"_s, kTcp, kUdp, 0), target("host", kUdp, SendTransport::Tcp));
    EXPECT_EQ(networkTarget(u"host:u"_s, kTcp, kUdp, 5), target("host", kUdp, SendTransport::Udp));
}

TEST(SendDestinationTest, FailureListIsSortedByBytesAndJoinedWithCrLf)
{
    EXPECT_EQ(failedDestinationsText({u"b"_s, u"\u00e4"_s, u"a"_s, u"B"_s, u"a"_s}), u"B\r\na\r\na\r\nb\r\n\u00e4"_s);
    EXPECT_EQ(failedDestinationsText({}), QString());
}

TEST(SendDestinationTest, AnswerIsReadAsTheCLibraryReadsANumber)
{
    EXPECT_EQ(CTcpSendWorker::answeredLength("1234"), 1234);
    EXPECT_EQ(CTcpSendWorker::answeredLength(" 42\r\n"), 42);
    EXPECT_EQ(CTcpSendWorker::answeredLength("12abc"), 12);
    EXPECT_EQ(CTcpSendWorker::answeredLength(""), 0);
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
    EXPECT_EQ(HostResolver::systemLookup("nohost.invalid"), std::nullopt);
    EXPECT_EQ(HostResolver::systemLookup("NoHost.INVALID."), std::nullopt);
    EXPECT_EQ(HostResolver::systemLookup(""), std::nullopt);
}

} // namespace
} // namespace tq
