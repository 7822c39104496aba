#include "platform/TerminationSignals.h"

#include "support/SignalWaiter.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>

namespace tq {
namespace {

TEST(TerminationSignals, EachSignalArrivesOnTheEventLoopAndABurstOnce)
{
    TerminationSignals termination;
    ASSERT_TRUE(termination.isActive());
    QSignalSpy requested(&termination, &TerminationSignals::terminationRequested);

    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        requested.clear();
        ASSERT_EQ(::raise(signalNumber), 0);
        ASSERT_TRUE(test::waitUntil([&] { return !requested.isEmpty(); })) << signalNumber;
        EXPECT_EQ(requested.takeFirst().at(0).toInt(), signalNumber);
    }

    // Signals that come before the loop runs again ask once.
    requested.clear();
    ::raise(SIGTERM);
    ::raise(SIGTERM);
    ASSERT_TRUE(test::waitUntil([&] { return !requested.isEmpty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(requested.size(), 1);
}

TEST(TerminationSignals, ASignalBeforeTheTakeOverWaitsForItInsteadOfEndingTheProgram)
{
    TerminationSignals::holdUntilTakenOver();
    // Raised while held: without the hold this would end the test program here.
    ASSERT_EQ(::raise(SIGTERM), 0);
    TerminationSignals termination;
    ASSERT_TRUE(termination.isActive());
    QSignalSpy requested(&termination, &TerminationSignals::terminationRequested);
    ASSERT_TRUE(test::waitUntil([&] { return !requested.isEmpty(); }));
    EXPECT_EQ(requested.takeFirst().at(0).toInt(), SIGTERM);

    sigset_t held;
    ::pthread_sigmask(SIG_BLOCK, nullptr, &held);
    EXPECT_FALSE(sigismember(&held, SIGTERM)) << "taken over, no longer held";
}

} // namespace
} // namespace tq
