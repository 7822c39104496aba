// Presence on loopback: the states a look gives against a real listener, a closed port and a
// name that never resolves; what the station itself sees; the announcement of someone back
// after a long absence; presence switched off and on; the address book changing under it.
#include "PresenceTestSupport.h"
#include "protocol/ListeningStation.h"
#include "protocol/ProbePeer.h"

#include "support/LoopbackPeer.h"

#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::PresenceTrackerFixture;
using test::ProbePeer;

QByteArray loopback(int port)
{
    return QByteArrayLiteral("127.0.0.1:") + QByteArray::number(port);
}

class PresenceTrackerTest : public PresenceTrackerFixture { };

TEST_F(PresenceTrackerTest, ALookSortsTheAddressBookIntoItsStates)
{
    const test::ListeningStation station;
    const int closedPort = test::unusedTcpPort();
    put(top, "Ann", loopback(station.port()));
    put(top, "Ben", loopback(closedPort));
    put(top, "Cid", "nobody.invalid");
    put(top, "Dee", "127.0.0.1:u");
    put(top, "Eve", "");
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Pair")));
    put(QStringLiteral("Pair"), "Ann", loopback(station.port()));
    put(QStringLiteral("Pair"), "Ben", loopback(closedPort));
    makeTracker();

    tracker->start();
    ASSERT_TRUE(waitForRound(1));

    EXPECT_EQ(stateOf("Ann", loopback(station.port())), PresenceState::Reachable);
    EXPECT_EQ(stateOf("ann", loopback(station.port())), PresenceState::Reachable) << "names ignore letter case";
    EXPECT_EQ(stateOf("Ben", loopback(closedPort)), PresenceState::NotReachable);
    EXPECT_EQ(stateOf("Cid", "nobody.invalid"), PresenceState::Unknown);
    EXPECT_EQ(stateOf("Dee", "127.0.0.1:u"), PresenceState::NotChecked);
    EXPECT_EQ(stateOf("Eve", ""), PresenceState::NotChecked);
    EXPECT_EQ(stateOf("Stranger", "127.0.0.1"), PresenceState::NotChecked);
    EXPECT_EQ(tracker->groupPresence(top), (GroupPresence{1, 5}));
    EXPECT_EQ(tracker->groupPresence(QStringLiteral("pair")), (GroupPresence{1, 2}));
    EXPECT_TRUE(announced.isEmpty()) << "nobody was away before";

    // Since when: the moment the look found it, on the tracker's clock.
    const UserPresence ben = tracker->userPresence(QStringLiteral("Ben"), QString::fromLatin1(loopback(closedPort)));
    EXPECT_LE(qAbs(ben.since.secsTo(QDateTime::currentDateTime())), 5);
    clock.advance(10 * 60 * 1000);
    const UserPresence later = tracker->userPresence(QStringLiteral("Ben"), QString::fromLatin1(loopback(closedPort)));
    EXPECT_NEAR(later.since.secsTo(QDateTime::currentDateTime()), 600, 5);
}

TEST_F(PresenceTrackerTest, WhatTheStationSeesCountsAtOnceForTheRightStation)
{
    put(top, "Ann", "10.0.0.5");
    put(top, "Anna", "10.0.0.5:8000");
    put(top, "Bob", "bob-pc:7777");
    put(top, "Udo", "10.0.0.9:u");
    makeTracker();
    tracker->reloadAddressBook(); // not started: nothing is probed

    tracker->noteSendFailed(QStringLiteral("Ann/10.0.0.5"));
    EXPECT_EQ(stateOf("Ann", "10.0.0.5"), PresenceState::NotReachable);
    EXPECT_EQ(stateOf("Anna", "10.0.0.5:8000"), PresenceState::NotChecked) << "another port, another station";

    tracker->noteMessageFrom(QStringLiteral("10.0.0.5"));
    EXPECT_EQ(stateOf("Ann", "10.0.0.5"), PresenceState::Reachable);
    EXPECT_EQ(stateOf("Anna", "10.0.0.5:8000"), PresenceState::Reachable) << "every user at the sender's address";

    tracker->noteSendFailed(QStringLiteral("Bob/bob-pc"));
    EXPECT_EQ(stateOf("Bob", "bob-pc:7777"), PresenceState::NotReachable) << "no port is the default port";
    tracker->noteSendConfirmed(QStringLiteral("BOB-PC:7777"));
    EXPECT_EQ(stateOf("Bob", "bob-pc:7777"), PresenceState::Reachable);

    tracker->noteSendFailed(QStringLiteral("10.0.0.9:u"));
    tracker->noteMessageFrom(QStringLiteral("not an address"));
    EXPECT_EQ(stateOf("Udo", "10.0.0.9:u"), PresenceState::NotChecked);

    // Sent over UDP, a failure tells nothing about the TCP listener.
    settings.set(keys::UseProtocol, 1);
    tracker->reloadSettings();
    tracker->noteSendFailed(QStringLiteral("Ann/10.0.0.5"));
    EXPECT_EQ(stateOf("Ann", "10.0.0.5"), PresenceState::Reachable);

    EXPECT_EQ(changes,
              (QStringList{QStringLiteral("Ann=not reachable"), QStringLiteral("Ann=reachable"),
                           QStringLiteral("Anna=reachable"), QStringLiteral("Bob=not reachable"),
                           QStringLiteral("Bob=reachable")}));
}

TEST_F(PresenceTrackerTest, SomeoneBackAfterMoreThanFiveMinutesIsAnnouncedOnce)
{
    put(top, "Ann", "10.0.0.5");
    put(top, "Bob", "10.0.0.6");
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Team")));
    put(QStringLiteral("Team"), "Bob", "10.0.0.6");
    put(QStringLiteral("Team"), "Bert", "10.0.0.6");
    makeTracker();
    tracker->reloadAddressBook();

    // Four minutes away is not worth a word.
    tracker->noteSendFailed(QStringLiteral("10.0.0.5"));
    clock.advance(4 * 60 * 1000);
    tracker->noteMessageFrom(QStringLiteral("10.0.0.5"));
    EXPECT_TRUE(announced.isEmpty());

    // Away for longer, with more failures meanwhile: the absence counts from the first.
    tracker->noteSendFailed(QStringLiteral("10.0.0.5"));
    clock.advance(3 * 60 * 1000);
    tracker->noteSendFailed(QStringLiteral("10.0.0.5"));
    clock.advance(2 * 60 * 1000 + 1);
    EXPECT_EQ(tracker->userPresence(QStringLiteral("Ann"), QStringLiteral("10.0.0.5"))
                  .since.secsTo(QDateTime::currentDateTime()),
              300);
    tracker->noteSendConfirmed(QStringLiteral("Ann/10.0.0.5"));
    tracker->noteMessageFrom(QStringLiteral("10.0.0.5"));
    EXPECT_EQ(announced, QStringList{QStringLiteral("Ann is reachable again")});

    // Users on one station are each named once, whatever groups they stand in.
    announced.clear();
    tracker->noteSendFailed(QStringLiteral("10.0.0.6"));
    clock.advance(6 * 60 * 1000);
    tracker->noteMessageFrom(QStringLiteral("10.0.0.6"));
    announced.sort();
    EXPECT_EQ(announced,
              (QStringList{QStringLiteral("Bert is reachable again"), QStringLiteral("Bob is reachable again")}));
}

TEST_F(PresenceTrackerTest, PresenceOffKnocksNowhereAndComesBackWithTheSetting)
{
    const ProbePeer station(ProbePeer::station());
    put(top, "Ann", loopback(station.port()));
    settings.set(keys::PresenceInterval, 0);
    makeTracker();
    QSignalSpy presenceChanged(tracker.get(), &PresenceSource::presenceChanged);

    tracker->start();
    EXPECT_FALSE(tracker->isEnabled());
    EXPECT_FALSE(tracker->checkNow());
    tracker->noteMessageFrom(QStringLiteral("127.0.0.1"));
    QThread::msleep(300);
    QCoreApplication::processEvents();
    EXPECT_EQ(station.connectionCount(), 0);
    EXPECT_EQ(stateOf("Ann", loopback(station.port())), PresenceState::NotChecked);

    settings.set(keys::PresenceInterval, 30);
    tracker->reloadSettings();
    ASSERT_TRUE(waitForRound(1)) << "switched on, it looks at once";
    EXPECT_EQ(tracker->intervalSeconds(), 30);
    EXPECT_EQ(stateOf("Ann", loopback(station.port())), PresenceState::Reachable);
    EXPECT_EQ(station.connectionCount(), 1);
    const qsizetype signalled = presenceChanged.size();
    EXPECT_GT(signalled, 0);

    settings.set(keys::PresenceInterval, 0);
    tracker->reloadSettings();
    EXPECT_EQ(stateOf("Ann", loopback(station.port())), PresenceState::NotChecked);
    EXPECT_EQ(changes.last(), QStringLiteral("Ann=not checked"));
    EXPECT_GT(presenceChanged.size(), signalled) << "the windows hear of it";
}

TEST_F(PresenceTrackerTest, TheAddressBookChangingUnderItIsFollowed)
{
    const ProbePeer first(ProbePeer::station());
    const ProbePeer second(ProbePeer::station());
    put(top, "Ann", loopback(first.port()));
    makeTracker();
    tracker->start();
    ASSERT_TRUE(waitForRound(1));
    ASSERT_EQ(stateOf("Ann", loopback(first.port())), PresenceState::Reachable);

    // A newcomer is looked at without waiting for the interval; the others keep their state.
    put(top, "Bob", loopback(second.port()));
    tracker->reloadAddressBook();
    EXPECT_EQ(stateOf("Ann", loopback(first.port())), PresenceState::Reachable);
    ASSERT_TRUE(waitForRound(2));
    EXPECT_EQ(stateOf("Bob", loopback(second.port())), PresenceState::Reachable);

    // Deactivated, a user is no longer looked after.
    ASSERT_TRUE(book.SetUserActive(top, QStringLiteral("Bob"), QString::fromLatin1(loopback(second.port())), true));
    tracker->reloadAddressBook();
    EXPECT_EQ(stateOf("Bob", loopback(second.port())), PresenceState::NotChecked);
    const int knocks = second.connectionCount();
    ASSERT_TRUE(look());
    EXPECT_EQ(second.connectionCount(), knocks);
    EXPECT_EQ(tracker->groupPresence(top), (GroupPresence{1, 1}));
}

} // namespace
} // namespace tq
