#include "app/SingleInstance.h"

#include "support/IsolatedHome.h"
#include "support/SignalWaiter.h"

#include <QFile>
#include <QLocalSocket>

#include <gtest/gtest.h>

namespace tq {
namespace {

class SingleInstanceTest : public test::IsolatedHome {
protected:
    const QString folder = homePath() + QStringLiteral("/runtime");
};

TEST_F(SingleInstanceTest, SecondLaunchAsksTheFirstToRestoreAndGivesWay)
{
    SingleInstance first(folder);
    ASSERT_TRUE(first.claim());
    int restores = 0;
    QObject::connect(&first, &SingleInstance::restoreRequested, &first, [&] { ++restores; });

    SingleInstance second(folder);
    EXPECT_FALSE(second.claim());
    EXPECT_FALSE(second.isRunningInstance());
    EXPECT_TRUE(test::waitUntil([&] { return restores == 1; }));

    SingleInstance third(folder);
    EXPECT_FALSE(third.claim());
    EXPECT_TRUE(test::waitUntil([&] { return restores == 2; }));
}

TEST_F(SingleInstanceTest, TheNextRunTakesOverOnceTheFirstHasEnded)
{
    {
        SingleInstance first(folder);
        ASSERT_TRUE(first.claim());
    }
    SingleInstance next(folder);
    EXPECT_TRUE(next.claim());
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedRunDoesNotBlockTheStart)
{
    // The socket file of a run that crashed, with no lock holder any more.
    {
        QFile stale(SingleInstance(folder).serverName());
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    SingleInstance running(folder);
    ASSERT_TRUE(running.claim());
    bool restored = false;
    QObject::connect(&running, &SingleInstance::restoreRequested, &running, [&] { restored = true; });
    SingleInstance later(folder);
    EXPECT_FALSE(later.claim());
    EXPECT_TRUE(test::waitUntil([&] { return restored; }));
}

TEST_F(SingleInstanceTest, AnythingButTheRequestIsIgnored)
{
    SingleInstance running(folder);
    ASSERT_TRUE(running.claim());
    bool restored = false;
    QObject::connect(&running, &SingleInstance::restoreRequested, &running, [&] { restored = true; });
    QLocalSocket stranger;
    stranger.connectToServer(running.serverName());
    ASSERT_TRUE(stranger.waitForConnected(2000));
    stranger.write(QByteArray(1000, 'x'));
    stranger.write("shutdown\n");
    stranger.waitForBytesWritten(2000);
    test::waitUntil([&] { return stranger.state() == QLocalSocket::UnconnectedState; }, 1000);
    EXPECT_FALSE(restored);
}

} // namespace
} // namespace tq
