// Delivery later over loopback: real listeners, real receipts, the real retry thread.
#include "QueueTestSupport.h"

#include "protocol/SendTestSupport.h"
#include "queue/DeliveryQueue.h"
#include "queue/NetworkDeliverer.h"
#include "queue/QueueTexts.h"
#include "queue/ReceiptBoard.h"
#include "queue/RetryScheduler.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::waitingMessage;

class RetrySchedulerTest : public test::QueueFixture {
protected:
    std::unique_ptr<RetryScheduler> makeScheduler()
    {
        auto scheduler =
            std::make_unique<RetryScheduler>(appDataDir(), std::make_shared<NetworkDeliverer>(receipts), settings);
        QObject::connect(scheduler.get(), &RetryScheduler::delivered, &context,
                         [this](const QString &text) { delivered.append(text); });
        QObject::connect(scheduler.get(), &RetryScheduler::countChanged, &context,
                         [this](int count) { counts.append(count); });
        QObject::connect(scheduler.get(), &RetryScheduler::roundFinished, &context, [this] { ++rounds; });
        return scheduler;
    }

    QString add(const QueuedMessage &entry)
    {
        const DeliveryQueue::Added added = DeliveryQueue(appDataDir()).add(entry);
        EXPECT_TRUE(added.ok());
        return added.id;
    }

    std::optional<QueuedMessage> entry(const QString &id) const { return DeliveryQueue(appDataDir()).read(id); }

    std::shared_ptr<ReceiptBoard> receipts = std::make_shared<ReceiptBoard>();
    QObject context;
    QStringList delivered;
    QList<int> counts;
    int rounds = 0;
};

TEST_F(RetrySchedulerTest, AStationThatDidNotListenGetsTheMessageExactlyOnceWhenItStarts)
{
    test::RefusingPort place;
    const int port = place.port();
    const QueuedMessage message = waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, port);
    const QString id = add(message);
    const auto scheduler = makeScheduler();
    scheduler->start();
    EXPECT_EQ(scheduler->count(), 1);

    // Within the retry interval the test set, the first round finds nobody there.
    ASSERT_TRUE(test::waitUntil([&] { return rounds >= 1; }));
    ASSERT_TRUE(entry(id));
    EXPECT_EQ(entry(id)->lastOutcome, DeliveryOutcome::Refused);
    EXPECT_EQ(entry(id)->address, QStringLiteral("127.0.0.1"));

    test::TcpStationAt station(place);
    ASSERT_TRUE(station.isListening());
    scheduler->hostReachable(QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(test::waitUntil([&] { return !delivered.isEmpty(); }));
    EXPECT_EQ(delivered, QStringList{deliveredText(message, QDateTime::currentDateTimeUtc())});
    EXPECT_EQ(delivered.first(),
              QStringLiteral("Delivered to Bob (queued %1)")
                  .arg(message.queuedAt.toLocalTime().toString(QStringLiteral("HH:mm"))));
    ASSERT_TRUE(test::waitUntil([&] { return scheduler->count() == 0; }));
    EXPECT_EQ(counts.last(), 0);

    // Rounds go on; nothing goes out twice.
    const int roundsSoFar = rounds;
    ASSERT_TRUE(test::waitUntil([&] { return rounds >= roundsSoFar + 2; }, 8000));
    EXPECT_EQ(station.packets, QList<QByteArray>{message.streamPacket});
    EXPECT_FALSE(entry(id));
}

TEST_F(RetrySchedulerTest, TheQueueOutlivesTheSchedulerThatKeptIt)
{
    test::RefusingPort place;
    const int port = place.port();
    const QueuedMessage message = waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, port);
    add(message);
    {
        const auto first = makeScheduler();
        first->start();
        ASSERT_TRUE(test::waitUntil([&] { return rounds >= 1; }));
    }
    EXPECT_TRUE(delivered.isEmpty());

    test::TcpStationAt station(place);
    const auto second = makeScheduler();
    second->start();
    EXPECT_EQ(second->count(), 1);
    ASSERT_TRUE(test::waitUntil([&] { return !delivered.isEmpty(); }));
    EXPECT_EQ(station.packets, QList<QByteArray>{message.streamPacket});
}

TEST_F(RetrySchedulerTest, AnEntryQueuedElsewhereIsSeenAtOnceAndTriedAtTheNextRound)
{
    test::RefusingPort place;
    const int port = place.port();
    test::TcpStationAt station(place);
    settings.set(keys::RetryInterval, 2);
    const auto scheduler = makeScheduler();
    scheduler->start();
    EXPECT_EQ(scheduler->count(), 0);

    // As another process queues it: through a queue object of its own.
    const QueuedMessage message = waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, port);
    add(message);
    ASSERT_TRUE(test::waitUntil([&] { return !delivered.isEmpty(); }, 6000));
    EXPECT_EQ(counts, (QList<int>{1, 0})); // seen by the folder watch before the round took it
    EXPECT_EQ(station.packets, QList<QByteArray>{message.streamPacket});
}

TEST_F(RetrySchedulerTest, AStationThatAnswersAnotherLengthTookTheMessageSoItIsNotSentAgain)
{
    test::RawStation station(test::RawStation::Mode::Answer, "5");
    add(waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, station.port()));
    const auto scheduler = makeScheduler();
    scheduler->start();
    ASSERT_TRUE(test::waitUntil([&] { return !delivered.isEmpty(); }));
    EXPECT_TRUE(delivered.first().endsWith(QStringLiteral("possibly with errors")));
    ASSERT_TRUE(test::waitUntil([&] { return rounds >= 2; }, 8000));
    EXPECT_EQ(station.accepted(), 1);
}

TEST_F(RetrySchedulerTest, AStationThatNeverAnswersKeepsTheMessageWaiting)
{
    test::RawStation station(test::RawStation::Mode::NeverAnswer);
    settings.set(keys::Delay, 300);
    const QString id = add(waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, station.port()));
    const auto scheduler = makeScheduler();
    scheduler->start();
    ASSERT_TRUE(test::waitUntil([&] { return rounds >= 1; }));
    ASSERT_TRUE(entry(id));
    EXPECT_EQ(entry(id)->lastOutcome, DeliveryOutcome::NoAnswer);
    EXPECT_TRUE(delivered.isEmpty());
}

TEST_F(RetrySchedulerTest, AnAttemptCutShortByTheProgramsEndDoesNotCount)
{
    test::RawStation station(test::RawStation::Mode::NeverAnswer);
    settings.set(keys::Delay, 600000); // far longer than the test waits
    const QString id = add(waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, station.port()));
    auto scheduler = makeScheduler();
    scheduler->start();
    ASSERT_TRUE(test::waitUntil([&] { return station.accepted() == 1; }));
    ASSERT_TRUE(scheduler->isRoundRunning());

    scheduler.reset(); // the attempt is woken and the thread waited for
    ASSERT_TRUE(entry(id));
    EXPECT_EQ(entry(id)->attempts, 0);
    EXPECT_FALSE(entry(id)->lastOutcome);
    EXPECT_TRUE(delivered.isEmpty());
}

// A datagram counts once the station's receipt reaches this program's own UDP receiver.
class DatagramRetryTest : public RetrySchedulerTest {
protected:
    DatagramRetryTest()
    {
        QObject::connect(&ownReceiver, &CUDPReceiveThread::incomingMessage, &context,
                         [this](Transport, const ReceivedData &data) { receipts->post(data.senderIp, data.data); });
        ownReceiver.start();
        test::waitUntil([this] { return ownReceiver.boundPort() != 0; });
        receipts->setListening(true);
    }
    ~DatagramRetryTest() override { ownReceiver.stop(); }

    QueuedMessage datagramTo(int port)
    {
        return waitingMessage(QStringLiteral("Carl/127.0.0.1:%1u").arg(port), SendTransport::Udp, port, "Hello Carl",
                              ownReceiver.boundPort());
    }

    CUDPReceiveThread ownReceiver{0};
};

TEST_F(DatagramRetryTest, ADatagramIsDeliveredWhenItsReceiptComesBack)
{
    test::UdpStation station;
    const QueuedMessage message = datagramTo(station.port());
    add(message);
    const auto scheduler = makeScheduler();
    scheduler->start();
    ASSERT_TRUE(test::waitUntil([&] { return !delivered.isEmpty(); }));
    EXPECT_EQ(delivered.first(), deliveredText(message, QDateTime::currentDateTimeUtc()));
    ASSERT_TRUE(test::waitUntil([&] { return rounds >= 2; }, 8000));
    EXPECT_EQ(station.packets, QList<QByteArray>{message.datagramPacket});
}

TEST_F(DatagramRetryTest, AReceiptForAnotherTextConfirmsNothing)
{
    test::UdpStation station(0, 3);
    const QString id = add(datagramTo(station.port()));
    const auto scheduler = makeScheduler();
    scheduler->start();
    ASSERT_TRUE(test::waitUntil([&] { return rounds >= 1; }));
    ASSERT_TRUE(entry(id));
    EXPECT_EQ(entry(id)->lastOutcome, DeliveryOutcome::NoReceipt);
    EXPECT_TRUE(delivered.isEmpty());
}

TEST_F(DatagramRetryTest, APortNobodyListensOnIsRefused)
{
    const test::RefusingPort closed(SendTransport::Udp);
    const QString id = add(datagramTo(closed.port()));
    const auto scheduler = makeScheduler();
    scheduler->start();
    ASSERT_TRUE(test::waitUntil([&] { return rounds >= 1; }));
    ASSERT_TRUE(entry(id));
    EXPECT_EQ(entry(id)->lastOutcome, DeliveryOutcome::Refused);
}

TEST_F(DatagramRetryTest, WithoutAReceiverForReceiptsNoDatagramIsSent)
{
    test::UdpStation station;
    receipts->setListening(false);
    const QString id = add(datagramTo(station.port()));
    const auto scheduler = makeScheduler();
    scheduler->start();
    ASSERT_TRUE(test::waitUntil([&] { return rounds >= 1; }));
    ASSERT_TRUE(entry(id));
    EXPECT_EQ(entry(id)->lastOutcome, DeliveryOutcome::NoReceiptListener);
    EXPECT_TRUE(station.packets.isEmpty());
}

} // namespace
} // namespace tq
