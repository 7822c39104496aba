// Presence in a network of several hosts: stations, a closed host and a silent listener on
// addresses of their own in 10.99.0.0/24. Such a network exists only in a network namespace of
// the test's own, whose loopback holds the whole /24; elsewhere these tests skip.
#include "PresenceTestSupport.h"
#include "protocol/ProbePeer.h"

#include "support/PrivateNetwork.h"

#include <arpa/inet.h>

#include <gtest/gtest.h>

#include <memory>

namespace tq {
namespace {

using test::PresenceTrackerFixture;
using test::ProbePeer;

const QString kSetUp = QStringLiteral("ip link set lo up && ip addr add 10.99.0.2/24 dev lo");

#define RUN_INSIDE_PRIVATE_NETWORK(testName)                                                                           \
    if (!test::insidePrivateNetwork()) {                                                                               \
        const auto run = test::runInPrivateNetwork(kSetUp, QStringLiteral(testName));                                  \
        if (!run.available)                                                                                            \
            GTEST_SKIP() << run.output.toStdString();                                                                  \
        EXPECT_TRUE(run.passed) << run.output.toStdString();                                                           \
        return;                                                                                                        \
    }

class PresenceInPrivateNetwork : public PresenceTrackerFixture {
protected:
    // Stations on .3 and .5, nothing on .4, a listener on .6 that accepts and never answers,
    // and a station on the network's own address .0, which no probe may reach.
    void startNetwork()
    {
        bob = std::make_unique<ProbePeer>(ProbePeer::station(), "10.99.0.3");
        port = bob->port();
        carol = std::make_unique<ProbePeer>(ProbePeer::station(), "10.99.0.5", port);
        silent = std::make_unique<ProbePeer>(ProbePeer::silent(), "10.99.0.6", port);
        networkName = std::make_unique<ProbePeer>(ProbePeer::station(), "10.99.0.0", port);
        ASSERT_TRUE(bob->isListening() && carol->isListening() && silent->isListening() && networkName->isListening());
        settings.set(keys::TcpPort, port);
        // Bob by name, as a name server would give it.
        put(top, "Bob", "bob-pc");
        put(top, "Carol", "10.99.0.5");
        put(top, "Dave", "10.99.0.4");
        put(top, "Eve", "10.99.0.6");
        put(top, "Net", "10.99.0.0");
        put(top, "Nobody", "nobody-pc");
        makeTracker();
        tracker->setAddressFilter(PresenceAddressFilter::forThisMachine());
        tracker->setLookup([](const QByteArray &name) -> std::optional<std::uint32_t> {
            if (name == "bob-pc")
                return ::inet_addr("10.99.0.3");
            return std::nullopt;
        });
    }
    QString states() const
    {
        QStringList shown;
        for (const char *name : {"Bob", "Carol", "Dave", "Eve", "Net", "Nobody"}) {
            const QString user = QString::fromLatin1(name);
            const QString host = book.ListUsers(top).value(shown.size()).host;
            shown.append(user + QLatin1Char('=') + test::stateWord(tracker->userPresence(user, host).state));
        }
        return shown.join(QStringLiteral(", "));
    }

    int port = 0;
    std::unique_ptr<ProbePeer> bob, carol, silent, networkName;
};

TEST_F(PresenceInPrivateNetwork, StatesFollowAStationThatStopsAndStartsAgain)
{
    RUN_INSIDE_PRIVATE_NETWORK("PresenceInPrivateNetwork.StatesFollowAStationThatStopsAndStartsAgain");
    startNetwork();
    tracker->start();
    ASSERT_TRUE(waitForRound(1));
    EXPECT_EQ(states(),
              QStringLiteral("Bob=reachable, Carol=reachable, Dave=not reachable, Eve=not reachable, "
                             "Net=not checked, Nobody=unknown"));
    EXPECT_EQ(tracker->groupPresence(top), (GroupPresence{2, 6}));
    EXPECT_EQ(networkName->connectionCount(), 0) << "a probe knocked at the network's own address";
    EXPECT_EQ(silent->connectionCount(), 1);

    // Bob's station goes away; a look finds it gone.
    bob.reset();
    ASSERT_TRUE(look());
    EXPECT_EQ(states(),
              QStringLiteral("Bob=not reachable, Carol=reachable, Dave=not reachable, Eve=not reachable, "
                             "Net=not checked, Nobody=unknown"));
    EXPECT_TRUE(announced.isEmpty());

    // Six minutes and a few looks later it is back: announced once, and only Bob.
    clock.advance(3 * 60 * 1000);
    ASSERT_TRUE(look());
    clock.advance(3 * 60 * 1000);
    bob = std::make_unique<ProbePeer>(ProbePeer::station(), "10.99.0.3", port);
    ASSERT_TRUE(bob->isListening());
    ASSERT_TRUE(look());
    EXPECT_EQ(tracker->userPresence(QStringLiteral("Bob"), QStringLiteral("bob-pc")).state, PresenceState::Reachable);
    ASSERT_TRUE(look());
    EXPECT_EQ(announced, QStringList{QStringLiteral("Bob is reachable again")});
    EXPECT_EQ(changes.filter(QStringLiteral("Bob=")),
              (QStringList{QStringLiteral("Bob=reachable"), QStringLiteral("Bob=not reachable"),
                           QStringLiteral("Bob=reachable")}));
    EXPECT_EQ(networkName->connectionCount(), 0);
}

TEST_F(PresenceInPrivateNetwork, AStationAwayBrieflyComesBackWithoutAWordAndMessagesCount)
{
    RUN_INSIDE_PRIVATE_NETWORK("PresenceInPrivateNetwork.AStationAwayBrieflyComesBackWithoutAWordAndMessagesCount");
    startNetwork();
    tracker->start();
    ASSERT_TRUE(waitForRound(1));
    carol.reset();
    bob.reset();
    ASSERT_TRUE(look());
    EXPECT_EQ(tracker->userPresence(QStringLiteral("Carol"), QStringLiteral("10.99.0.5")).state,
              PresenceState::NotReachable);
    // A message from Bob's address: the station found under his host name is there.
    ASSERT_EQ(tracker->userPresence(QStringLiteral("Bob"), QStringLiteral("bob-pc")).state,
              PresenceState::NotReachable);
    tracker->noteMessageFrom(QStringLiteral("10.99.0.3"));
    EXPECT_EQ(tracker->userPresence(QStringLiteral("Bob"), QStringLiteral("bob-pc")).state, PresenceState::Reachable);
    clock.advance(2 * 60 * 1000);
    carol = std::make_unique<ProbePeer>(ProbePeer::station(), "10.99.0.5", port);
    ASSERT_TRUE(look());
    EXPECT_EQ(tracker->userPresence(QStringLiteral("Carol"), QStringLiteral("10.99.0.5")).state,
              PresenceState::Reachable);
    EXPECT_TRUE(announced.isEmpty());
}

} // namespace
} // namespace tq
