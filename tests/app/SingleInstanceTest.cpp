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

TEST_F(SingleInstanceTest, EveryLaterLaunchAsksTheFirstToRestoreAndTheNextRunTakesOver)
{
    {
        SingleInstance first(folder);
        ASSERT_TRUE(first.claim());
        int restores = 0;
        QObject::connect(&first, &SingleInstance::restoreRequested, &first, [&] { ++restores; });
        for (int expected = 1; expected <= 2; ++expected) {
            SingleInstance later(folder);
            EXPECT_FALSE(later.claim());
            EXPECT_TRUE(test::waitUntil([&] { return restores == expected; }));
        }
    }
    EXPECT_TRUE(SingleInstance(folder).claim());
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedRunDoesNotBlockTheStartAndStrangersAreIgnored)
{
    {
        QFile stale(SingleInstance(folder).serverName());
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    SingleInstance running(folder);
    ASSERT_TRUE(running.claim());
    int restores = 0;
    QObject::connect(&running, &SingleInstance::restoreRequested, &running, [&] { ++restores; });

    QLocalSocket stranger;
    stranger.connectToServer(running.serverName());
    ASSERT_TRUE(stranger.waitForConnected(2000));
    stranger.write(QByteArray(1000, 'x'));
    stranger.write("shutdown\n");
    stranger.waitForBytesWritten(2000);
    test::waitUntil([&] { return stranger.state() == QLocalSocket::UnconnectedState; }, 1000);
    EXPECT_EQ(restores, 0);

    EXPECT_FALSE(SingleInstance(folder).claim());
    EXPECT_TRUE(test::waitUntil([&] { return restores == 1; }));
}

} // namespace
} // namespace tq
