// Who presence looks after and where it knocks: the users of the address book that become
// stations, the addresses no probe may go to, and the interval as the settings hold it.
#include "presence/PresenceRoster.h"
#include "addressbook/AddressBookFixture.h"
#include "presence/PresenceAddressFilter.h"
#include "presence/PresenceInterval.h"

#include <arpa/inet.h>

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::AddressBookFixture;

std::uint32_t hostOrder(const char *dotted)
{
    return ntohl(::inet_addr(dotted));
}

PresenceRoster::Rules rules(QSet<std::uint32_t> networkEnds = {})
{
    return {7777, 7000, PresenceAddressFilter(std::move(networkEnds))};
}

// The station a host text is probed at, as "host:port", or "-" when none.
QString station(const char *host, const PresenceRoster::Rules &with = rules())
{
    const auto target = PresenceRoster::stationOf(QString::fromUtf8(host), with);
    return target ? target->host + QLatin1Char(':') + QString::number(target->port) : QStringLiteral("-");
}

TEST(PresenceStations, TcpDestinationsAreProbedAtTheirPortAndNothingElseIs)
{
    EXPECT_EQ(station("10.0.0.5"), QStringLiteral("10.0.0.5:7777"));
    EXPECT_EQ(station("bob-pc:8000"), QStringLiteral("bob-pc:8000"));
    EXPECT_EQ(station("bob-pc:0"), QStringLiteral("bob-pc:7777")) << "no port: the default";
    EXPECT_EQ(station("10.0.0.5:u"), QStringLiteral("-"));
    EXPECT_EQ(station("10.0.0.5:8000U"), QStringLiteral("-"));
    EXPECT_EQ(station("bob@example.org"), QStringLiteral("-"));
    EXPECT_EQ(station(""), QStringLiteral("-"));
    EXPECT_EQ(station("   "), QStringLiteral("-"));
}

TEST(PresenceStations, NoProbeGoesToABroadcastOrNetworkAddressInAnyWrittenForm)
{
    for (const char *host : {"255.255.255.255", "4294967295", "10.0.0.255", "10.0.0.0", "192.168.1.255:7777", "0.0.0.7",
                             "224.0.0.1", "239.255.255.250"})
        EXPECT_EQ(station(host), QStringLiteral("-")) << host;
    EXPECT_EQ(station("10.1"), QStringLiteral("10.1:7777")) << "10.0.0.1 written short is a station's address";

    // The networks this machine is on tell their own name and broadcast address, whatever
    // their mask: a /26 ends at .63.
    const auto onSmallNetwork = rules({hostOrder("10.0.0.0"), hostOrder("10.0.0.63")});
    EXPECT_EQ(station("10.0.0.63", onSmallNetwork), QStringLiteral("-"));
    EXPECT_EQ(station("10.0.0.62", onSmallNetwork), QStringLiteral("10.0.0.62:7777"));
}

TEST(PresenceStations, ANameThatStandsForABroadcastAddressCountsAsNotFound)
{
    const PresenceAddressFilter filter;
    const auto lookup = filter.guard([](const QByteArray &name) -> std::optional<std::uint32_t> {
        if (name == "everyone")
            return ::inet_addr("10.0.0.255");
        if (name == "bob-pc")
            return ::inet_addr("10.0.0.5");
        return std::nullopt;
    });
    EXPECT_EQ(lookup("bob-pc"), std::optional<std::uint32_t>(::inet_addr("10.0.0.5")));
    EXPECT_EQ(lookup("everyone"), std::nullopt);
    EXPECT_EQ(lookup("nobody"), std::nullopt);
}

TEST(PresenceStations, ThisMachinesLoopbackNetworkKeepsItsStationsAndLosesItsEnds)
{
    const PresenceAddressFilter filter = PresenceAddressFilter::forThisMachine();
    EXPECT_TRUE(filter.mayProbe(hostOrder("127.0.0.1")));
    EXPECT_FALSE(filter.mayProbe(hostOrder("127.255.255.255")));
}

class PresenceRosterTest : public AddressBookFixture { };

TEST_F(PresenceRosterTest, ActiveUsersOfActiveGroupsAreLookedAfterAndShareTheirStations)
{
    put(top, "Ann", "10.0.0.5");
    put(top, "Bob", "10.0.0.6:u");
    put(top, "Off", "10.0.0.7", false);
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Team")));
    put(QStringLiteral("Team"), "ann", "10.0.0.5"); // the same user as at the top level
    put(QStringLiteral("Team"), "Anna", "10.0.0.5:7777"); // another user on Ann's station
    put(QStringLiteral("Team"), "Cid", "cid-pc");
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Gone")));
    put(QStringLiteral("Gone"), "Dan", "10.0.0.8");
    ASSERT_TRUE(book.SetGroupActive(QStringLiteral("Gone"), false));

    const PresenceRoster roster = PresenceRoster::read(book, rules());

    QStringList users;
    for (const auto &user : roster.users())
        users.append(user.name + QLatin1Char('/') + user.host);
    EXPECT_EQ(users,
              (QStringList{QStringLiteral("Ann/10.0.0.5"), QStringLiteral("Bob/10.0.0.6:u"),
                           QStringLiteral("Anna/10.0.0.5:7777"), QStringLiteral("Cid/cid-pc")}));
    QStringList stations = roster.stations().keys();
    stations.sort();
    EXPECT_EQ(stations, (QStringList{QStringLiteral("10.0.0.5:7777"), QStringLiteral("cid-pc:7777")}));
    EXPECT_EQ(roster.usersAt(QStringLiteral("10.0.0.5:7777")).size(), 2);

    EXPECT_EQ(roster.membersOf(top).size(), 2);
    EXPECT_EQ(roster.membersOf(QString()).size(), 2);
    EXPECT_EQ(roster.membersOf(QStringLiteral("team")).size(), 3) << "group names ignore letter case";
    EXPECT_TRUE(roster.membersOf(QStringLiteral("Gone")).isEmpty());
    EXPECT_EQ(roster.indexOf(QStringLiteral("ANN"), QStringLiteral("10.0.0.5")), 0);
    EXPECT_EQ(roster.indexOf(QStringLiteral("Ann"), QStringLiteral("10.0.0.6")), -1);
    EXPECT_EQ(roster.indexOf(QStringLiteral("Off"), QStringLiteral("10.0.0.7")), -1);
}

TEST_F(PresenceRosterTest, TheIntervalIsOffOrWithinItsLimits)
{
    EXPECT_EQ(presenceIntervalSeconds(settings), 60);
    const std::pair<int, int> storedAndUsed[] = {{0, 0}, {-5, 0}, {1, 10}, {10, 10}, {600, 600}, {999999, 86400}};
    for (const auto &[stored, used] : storedAndUsed) {
        settings.set(keys::PresenceInterval, stored);
        EXPECT_EQ(presenceIntervalSeconds(settings), used) << stored;
    }
}

} // namespace
} // namespace tq
