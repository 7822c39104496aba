// Delivery later between two hosts of a network of the test's own, on the stations' default
// port: the destination is down when the message is queued and comes up later.
#include "QueueTestSupport.h"

#include "queue/DeliveryQueue.h"
#include "queue/NetworkDeliverer.h"
#include "queue/ReceiptBoard.h"
#include "queue/RetryScheduler.h"
#include "support/PrivateNetwork.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

constexpr char kTwoHosts[] = "ip link set lo up && ip addr add 10.99.0.2/24 dev lo && ip addr add 10.99.0.3/24 dev lo";

void deliverWhenTheStationComesUp(const QString &appDataDir, const SettingsStore &settings)
{
    const QueuedMessage message = test::waitingMessage(QStringLiteral("Bob/10.99.0.3"), SendTransport::Tcp, 7777);
    const QString id = DeliveryQueue(appDataDir).add(message).id;
    RetryScheduler scheduler(appDataDir, std::make_shared<NetworkDeliverer>(std::make_shared<ReceiptBoard>()),
                             settings);
    QStringList delivered;
    int rounds = 0;
    QObject::connect(&scheduler, &RetryScheduler::delivered, &scheduler,
                     [&](const QString &text) { delivered.append(text); });
    QObject::connect(&scheduler, &RetryScheduler::roundFinished, &scheduler, [&] { ++rounds; });
    scheduler.start();

    ASSERT_TRUE(test::waitUntil([&] { return rounds >= 1; }));
    const std::optional<QueuedMessage> tried = DeliveryQueue(appDataDir).read(id);
    ASSERT_TRUE(tried);
    EXPECT_EQ(tried->lastOutcome, DeliveryOutcome::Refused);
    EXPECT_EQ(tried->address, QStringLiteral("10.99.0.3"));
    EXPECT_TRUE(delivered.isEmpty());

    // The station starts; within the retry interval the message reaches it, once.
    test::TcpStationAt station(7777);
    ASSERT_TRUE(station.isListening());
    ASSERT_TRUE(test::waitUntil([&] { return !delivered.isEmpty(); }, 5000));
    const int roundsSoFar = rounds;
    ASSERT_TRUE(test::waitUntil([&] { return rounds >= roundsSoFar + 2; }, 8000));
    EXPECT_EQ(station.packets, QList<QByteArray>{message.streamPacket});
    EXPECT_EQ(scheduler.count(), 0);
}

class QueueInPrivateNetwork : public test::QueueFixture { };

TEST_F(QueueInPrivateNetwork, AMessageReachesAStationThatStartsAfterItWasQueued)
{
    if (!test::insidePrivateNetwork()) {
        const test::PrivateNetworkRun run = test::runInPrivateNetwork(
            QLatin1String(kTwoHosts),
            QStringLiteral("QueueInPrivateNetwork.AMessageReachesAStationThatStartsAfterItWasQueued"));
        if (!run.available)
            GTEST_SKIP() << run.output.toStdString();
        EXPECT_TRUE(run.passed) << run.output.toStdString();
        return;
    }
    deliverWhenTheStationComesUp(appDataDir(), settings);
}

} // namespace
} // namespace tq
