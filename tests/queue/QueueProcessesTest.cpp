// Several processes on one queue, and processes that end in the middle: a kill -9 during a
// write leaves whole entries only, a claim dies with its process, a station ended by SIGTERM
// or kill -9 in the middle of an attempt leaves the entry for the next start, and two
// processes that deliver at the same time deliver each entry once.
#include "QueueTestSupport.h"

#include "platform/DurableFiles.h"
#include "queue/DeliveryQueue.h"
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

#include <csignal>

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

    void endInTheMiddleOfAnAttemptAndRestart(int signal);

    DeliveryQueue queue{appDataDir()};
    QProcess helper;
    QByteArray output;
};

TEST_F(QueueProcessesTest, AKillInTheMiddleOfQueueingLeavesOnlyWholeEntriesAndNoLitter)
{
    test::RefusingPort place;
    const int port = place.port();
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
    test::TcpStationAt station(place);
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
    test::RefusingPort place;
    const int port = place.port();
    const QueuedMessage message = waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, port);
    const QString id = queue.add(message).id;
    ASSERT_TRUE(startHelper({QStringLiteral("claim"), appDataDir(), id}));
    ASSERT_TRUE(helperSaid("claimed"));

    test::TcpStationAt station(place);
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

// A station is retrying the entry at a destination that hangs when it is ended by `signal`;
// after a restart the entry reaches the station that now listens there, once.
void QueueProcessesTest::endInTheMiddleOfAnAttemptAndRestart(int signal)
{
    test::RefusingPort place;
    place.listenWithoutAnswering();
    // The attempt must still be under way when the signal comes, however slow the machine.
    settings.set(keys::Delay, 60000);
    const QueuedMessage message = waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, place.port());
    const QString id = queue.add(message).id;
    ASSERT_TRUE(startHelper({QStringLiteral("keep"), appDataDir(), settings.filePath()}));
    ASSERT_TRUE(test::waitUntil([&] { return place.isCalled(); }, 10000));

    ::kill(static_cast<pid_t>(helper.processId()), signal);
    ASSERT_TRUE(helper.waitForFinished(10000));
    if (signal == SIGTERM) {
        // Ended as the program ends: the attempt under way is given up at once.
        EXPECT_EQ(helper.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(helper.exitCode(), 0);
    }
    const std::optional<QueuedMessage> left = queue.read(id);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->attempts, 0); // cut short, so it does not count
    EXPECT_EQ(left->streamPacket, message.streamPacket);

    test::TcpStationAt station(place);
    ASSERT_TRUE(station.isListening());
    RetryScheduler restarted(appDataDir(), std::make_shared<NetworkDeliverer>(std::make_shared<ReceiptBoard>()),
                             settings);
    int rounds = 0;
    QObject::connect(&restarted, &RetryScheduler::roundFinished, &restarted, [&] { ++rounds; });
    restarted.start();
    EXPECT_EQ(restarted.count(), 1);
    ASSERT_TRUE(test::waitUntil([&] { return restarted.count() == 0; }));
    ASSERT_TRUE(test::waitUntil([&] { return rounds >= 3; }));
    EXPECT_EQ(station.packets, QList<QByteArray>{message.streamPacket});
    EXPECT_EQ(test::filesStartingWith(queue.folder(), QLatin1String(kTemporaryPrefix)), 0);
}

TEST_F(QueueProcessesTest, AStationEndedBySigtermInTheMiddleOfAnAttemptDeliversAfterItsRestart)
{
    endInTheMiddleOfAnAttemptAndRestart(SIGTERM);
}

TEST_F(QueueProcessesTest, AStationKilledInTheMiddleOfAnAttemptDeliversAfterItsRestart)
{
    endInTheMiddleOfAnAttemptAndRestart(SIGKILL);
}

TEST_F(QueueProcessesTest, TwoProcessesDeliveringTheSameQueueDeliverEachEntryOnce)
{
    test::RefusingPort place;
    const int port = place.port();
    test::TcpStationAt station(place);
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
