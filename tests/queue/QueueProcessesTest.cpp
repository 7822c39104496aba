// Several processes on one queue, and processes that die in the middle: a kill -9 during a
// write leaves whole entries only, a claim dies with its process, and two processes that
// deliver at the same time deliver each entry once.
#include "QueueTestSupport.h"

#include "queue/DeliveryQueue.h"
#include "queue/DurableFiles.h"
#include "queue/NetworkDeliverer.h"
#include "queue/ReceiptBoard.h"
#include "queue/RetryScheduler.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QDir>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::waitingMessage;

class QueueProcessesTest : public test::QueueFixture {
protected:
    ~QueueProcessesTest() override
    {
        if (helper.state() != QProcess::NotRunning) {
            helper.kill();
            helper.waitForFinished();
        }
    }

    bool startHelper(const QStringList &arguments)
    {
        helper.start(QStringLiteral(TQ_QUEUE_HELPER), arguments);
        return helper.waitForStarted();
    }

    // Waits until the helper has said `line` `times` times in all.
    bool helperSaid(const char *line, int times = 1, int timeoutMs = 10000)
    {
        return test::waitUntil(
            [&] {
                output += helper.readAllStandardOutput();
                return output.count(QByteArray(line) + '\n') >= times;
            },
            timeoutMs);
    }

    void killHelper()
    {
        helper.kill(); // SIGKILL: no clean-up of any kind
        helper.waitForFinished();
    }

    DeliveryQueue queue{appDataDir()};
    QProcess helper;
    QByteArray output;
};

TEST_F(QueueProcessesTest, AKillInTheMiddleOfQueueingLeavesOnlyWholeEntriesAndNoLitter)
{
    const int port = test::unusedTcpPort();
    ASSERT_TRUE(startHelper({QStringLiteral("fill"), appDataDir(), QString::number(port)}));
    ASSERT_TRUE(helperSaid("queued", 5));
    killHelper();
    output += helper.readAllStandardOutput();
    const int confirmed = static_cast<int>(output.count("queued\n"));

    const QList<QueuedMessage> entries = queue.entries();
    // Every entry the writer confirmed is there; one more may have been renamed into place
    // just before the kill, before it could say so.
    EXPECT_GE(entries.size(), confirmed);
    EXPECT_LE(entries.size(), confirmed + 1);
    for (const QueuedMessage &entry : entries)
        EXPECT_TRUE(entry.text().endsWith(QByteArray(60000, 'x')));
    EXPECT_FALSE(QDir(queue.unreadableFolder()).exists());
    // The dead writer's half-written temporary file is gone after one reading.
    EXPECT_EQ(test::filesStartingWith(queue.folder(), QLatin1String(kTemporaryPrefix)), 0);

    // And all of it is delivered after a restart, each once.
    test::TcpStationAt station(port);
    RetryScheduler scheduler(appDataDir(), std::make_shared<NetworkDeliverer>(std::make_shared<ReceiptBoard>()),
                             settings);
    scheduler.start();
    scheduler.retryDue();
    ASSERT_TRUE(test::waitUntil([&] { return scheduler.count() == 0; }, 20000));
    EXPECT_EQ(station.packets.size(), entries.size());
    EXPECT_EQ(QSet<QByteArray>(station.packets.begin(), station.packets.end()).size(), entries.size());
}

TEST_F(QueueProcessesTest, AClaimDiesWithItsProcessAndTheEntryIsDeliveredAfterwards)
{
    const int port = test::unusedTcpPort();
    const QueuedMessage message = waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, port);
    const QString id = queue.add(message).id;
    ASSERT_TRUE(startHelper({QStringLiteral("claim"), appDataDir(), id}));
    ASSERT_TRUE(helperSaid("claimed"));

    test::TcpStationAt station(port);
    RetryScheduler scheduler(appDataDir(), std::make_shared<NetworkDeliverer>(std::make_shared<ReceiptBoard>()),
                             settings);
    int rounds = 0;
    QObject::connect(&scheduler, &RetryScheduler::roundFinished, &scheduler, [&] { ++rounds; });
    scheduler.start();
    EXPECT_EQ(scheduler.cancel(id), RetryScheduler::CancelResult::Busy);
    scheduler.retryDue();
    ASSERT_TRUE(test::waitUntil([&] { return rounds >= 1; }));
    EXPECT_TRUE(station.packets.isEmpty()); // the other process has it

    killHelper();
    ASSERT_TRUE(test::waitUntil([&] { return scheduler.count() == 0; }));
    EXPECT_EQ(station.packets, QList<QByteArray>{message.streamPacket});
}

TEST_F(QueueProcessesTest, TwoProcessesDeliveringTheSameQueueDeliverEachEntryOnce)
{
    const int port = test::unusedTcpPort();
    test::TcpStationAt station(port);
    constexpr int kEntries = 40;
    for (int n = 0; n < kEntries; ++n)
        queue.add(waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, port, QByteArray::number(n)));

    RetryScheduler scheduler(appDataDir(), std::make_shared<NetworkDeliverer>(std::make_shared<ReceiptBoard>()),
                             settings);
    int deliveredHere = 0;
    QObject::connect(&scheduler, &RetryScheduler::delivered, &scheduler, [&] { ++deliveredHere; });
    ASSERT_TRUE(startHelper({QStringLiteral("deliver"), appDataDir(), settings.filePath(), QStringLiteral("4")}));
    ASSERT_TRUE(helperSaid("ready"));
    scheduler.start();
    scheduler.retryDue();

    // The station hands its packets over on this thread: keep its event loop running.
    ASSERT_TRUE(test::waitUntil([&] { return helper.state() == QProcess::NotRunning; }, 15000));
    output += helper.readAllStandardOutput();
    ASSERT_TRUE(test::waitUntil([&] { return scheduler.count() == 0 && !scheduler.isRoundRunning(); }));
    EXPECT_EQ(station.packets.size(), kEntries);
    EXPECT_EQ(QSet<QByteArray>(station.packets.begin(), station.packets.end()).size(), kEntries);
    EXPECT_EQ(deliveredHere + output.count("delivered\n"), kEntries);
}

} // namespace
} // namespace tq
