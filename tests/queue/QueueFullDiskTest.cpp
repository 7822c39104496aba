// The queue on a disk that fills up: the entry that does not fit is left out and said so,
// and nothing already there is damaged.
#include "QueueTestSupport.h"
#include "SmallDisk.h"

#include "platform/DurableFiles.h"
#include "platform/WakeupEvent.h"
#include "protocol/SendRequest.h"
#include "queue/DeliveryQueue.h"
#include "queue/QueueDeliverer.h"
#include "queue/QueueUnconfirmed.h"
#include "queue/RetryRound.h"
#include "support/Files.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>

namespace tq {
namespace {

using test::waitingMessage;

class RefusingDeliverer : public QueueDeliverer {
public:
    DeliveryResult deliver(const QueuedMessage &, int, const WakeupEvent &) override
    {
        return {DeliveryOutcome::Refused, QStringLiteral("10.0.0.5")};
    }
};

// Fills what is left of the disk; the file that does it, to free the room again.
QString fillTheDisk(const QString &folder)
{
    const QString path = folder + QStringLiteral("filler");
    QFile filler(path);
    if (!filler.open(QIODevice::WriteOnly))
        return path;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size() && filler.flush()) { }
    return path;
}

void queueOnAFullDisk()
{
    const QString appData = test::smallDiskFolder();
    const DeliveryQueue queue(appData);
    const QByteArray body(30000, 'b');
    test::ManualWallClock wall;

    QList<QueuedMessage> kept;
    DeliveryQueue::Added refused;
    for (int n = 0; n < 50; ++n) {
        QueuedMessage entry = waitingMessage(QStringLiteral("Bob/10.0.0.5"), SendTransport::Tcp, 7777,
                                             QByteArray::number(n) + "\r\n" + body);
        entry.queuedAt = *wall.now;
        const DeliveryQueue::Added added = queue.add(entry);
        if (!added.ok()) {
            refused = added;
            break;
        }
        entry.id = added.id;
        kept.append(entry);
    }
    ASSERT_FALSE(refused.ok()) << "the disk never filled";
    EXPECT_EQ(refused.error, ENOSPC);
    EXPECT_TRUE(refused.id.isEmpty());
    ASSERT_GE(kept.size(), 1);

    const auto everyEntryIsIntact = [&] {
        const QList<QueuedMessage> entries = queue.entries();
        ASSERT_EQ(entries.size(), kept.size());
        for (qsizetype i = 0; i < kept.size(); ++i) {
            EXPECT_EQ(entries[i].id, kept[i].id);
            // Compared whole, not printed: the packets are long.
            EXPECT_TRUE(entries[i].streamPacket == kept[i].streamPacket);
            EXPECT_TRUE(entries[i].datagramPacket == kept[i].datagramPacket);
        }
        EXPECT_EQ(test::filesStartingWith(queue.folder(), QLatin1String(kTemporaryPrefix)), 0);
        EXPECT_FALSE(QDir(queue.unreadableFolder()).exists());
    };
    everyEntryIsIntact();

    // Not one byte left: queueing a send says which destination could not be kept.
    const QString filler = fillTheDisk(appData);
    SendRequest request;
    request.streamPacket = kept.first().streamPacket;
    request.datagramPacket = kept.first().datagramPacket;
    const QueueingOutcome outcome =
        queueUnconfirmed(queue, request, {QStringLiteral("Carl/10.0.0.6")}, 2, QDateTime::currentDateTimeUtc());
    EXPECT_TRUE(outcome.queued.isEmpty());
    ASSERT_EQ(outcome.failed.size(), 1);
    EXPECT_TRUE(outcome.failed.first().startsWith(QStringLiteral("Carl/10.0.0.6: ")))
        << outcome.failed.first().toStdString();

    // An attempt whose record cannot be written, and an expiry whose text cannot be kept,
    // leave the entries as they were.
    RefusingDeliverer deliverer;
    const UndeliveredFile undelivered(appData);
    WakeupEvent stop;
    QList<RoundEvent> events;
    const auto report = [&](const RoundEvent &event) { events.append(event); };
    RetryRound(queue, deliverer, undelivered, wall.clock(), RetryPolicy{300, 3, 100}).run({}, stop, report);
    wall.advanceSeconds(4 * 24 * 3600);
    RetryRound(queue, deliverer, undelivered, wall.clock(), RetryPolicy{300, 3, 100}).run({}, stop, report);
    everyEntryIsIntact();
    ASSERT_FALSE(events.isEmpty());
    EXPECT_EQ(events.last().kind, RoundEvent::Kind::Problem);
    EXPECT_FALSE(test::readFile(undelivered.path()).contains("Not delivered")); // no torn entry

    // With room again (the filler gone, one entry cancelled), everything works as before.
    ASSERT_TRUE(QFile::remove(filler));
    QueueClaim::Status status{};
    const std::optional<QueueClaim> cancelled = queue.claim(kept.last().id, status);
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(queue.remove(*cancelled, kept.last().id), 0);
    kept.removeLast();
    events.clear();
    RetryRound(queue, deliverer, undelivered, wall.clock(), RetryPolicy{300, 3, 100}).run({}, stop, report);
    EXPECT_TRUE(queue.entries().isEmpty());
    EXPECT_EQ(test::readFile(undelivered.path()).count("Not delivered to Bob/10.0.0.5.\r\n"), kept.size());
    EXPECT_TRUE(queue.add(waitingMessage(QStringLiteral("Bob/10.0.0.5"), SendTransport::Tcp, 7777)).ok());
}

TEST(QueueOnAFullDisk, AnEntryThatDoesNotFitIsRefusedAndTheOthersStayIntact)
{
    if (!test::onSmallDisk()) {
        const test::SmallDiskRun run = test::runOnSmallDisk(
            256, QStringLiteral("QueueOnAFullDisk.AnEntryThatDoesNotFitIsRefusedAndTheOthersStayIntact"));
        if (!run.available)
            GTEST_SKIP() << run.output.toStdString();
        EXPECT_TRUE(run.passed) << run.output.toStdString();
        return;
    }
    queueOnAFullDisk();
}

} // namespace
} // namespace tq
