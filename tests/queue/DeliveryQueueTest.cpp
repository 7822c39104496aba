// The queue on disk: what an entry keeps, what reading tolerates, and what a claim excludes.
#include "QueueTestSupport.h"

#include "platform/DurableFiles.h"
#include "protocol/MessagePacket.h"
#include "protocol/SendRequest.h"
#include "queue/DeliveryQueue.h"
#include "queue/QueueUnconfirmed.h"
#include "support/Files.h"
#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::QueueFixture;
using test::waitingMessage;

class DeliveryQueueTest : public QueueFixture {
protected:
    DeliveryQueue queue{appDataDir()};
};

TEST_F(DeliveryQueueTest, AnEntryKeepsThePacketsByteForByteAndEverythingAboutItsAttempts)
{
    // Bytes that a text round trip would mangle: NULs, 8-bit text, lone CRs.
    QueuedMessage entry = waitingMessage(QStringLiteral("Bob/10.0.0.5:8000u"), SendTransport::Udp, 8000,
                                         QByteArray("caf\xe9\r\n\rline\x01", 12));
    entry.datagramPacket.append('\0').append("\xff\xfe");
    entry.address = QStringLiteral("10.0.0.5");
    entry.attempts = 4;
    entry.lastAttemptAt = QDateTime(QDate(2024, 5, 7), QTime(1, 2, 3, 456), Qt::UTC);
    entry.lastOutcome = DeliveryOutcome::NoReceipt;

    const DeliveryQueue::Added added = queue.add(entry);
    ASSERT_TRUE(added.ok()) << added.errorText().toStdString();
    const std::optional<QueuedMessage> back = queue.read(added.id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->id, added.id);
    EXPECT_EQ(back->destination, entry.destination);
    EXPECT_EQ(back->name, QStringLiteral("Bob"));
    EXPECT_EQ(back->host, QStringLiteral("10.0.0.5"));
    EXPECT_EQ(back->address, entry.address);
    EXPECT_EQ(back->transport, SendTransport::Udp);
    EXPECT_EQ(back->port, 8000);
    EXPECT_EQ(back->streamPacket, entry.streamPacket);
    EXPECT_EQ(back->datagramPacket, entry.datagramPacket);
    EXPECT_EQ(back->queuedAt, entry.queuedAt);
    EXPECT_EQ(back->attempts, 4);
    EXPECT_EQ(back->lastAttemptAt, entry.lastAttemptAt);
    EXPECT_EQ(back->lastOutcome, DeliveryOutcome::NoReceipt);
    // The first line is what the user wrote, not the heading.
    EXPECT_EQ(back->firstLine(), QStringLiteral("caf\u00e9"));
}

TEST_F(DeliveryQueueTest, EntriesComeOldestFirstAndEachInAFileOfItsOwn)
{
    QueuedMessage later = waitingMessage(QStringLiteral("Carl/10.0.0.6"), SendTransport::Tcp, 7777);
    later.queuedAt = later.queuedAt.addSecs(60);
    ASSERT_TRUE(queue.add(later).ok());
    ASSERT_TRUE(queue.add(waitingMessage(QStringLiteral("Bob/10.0.0.5"), SendTransport::Tcp, 7777)).ok());

    const QList<QueuedMessage> entries = queue.entries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].name, QStringLiteral("Bob"));
    EXPECT_EQ(entries[1].name, QStringLiteral("Carl"));
    EXPECT_EQ(test::filesStartingWith(queue.folder(), QStringLiteral("2")), 2);
}

TEST_F(DeliveryQueueTest, FilesThatAreNoEntryAreSetAsideAndTheRestStillRead)
{
    ASSERT_TRUE(queue.add(waitingMessage(QStringLiteral("Bob/10.0.0.5"), SendTransport::Tcp, 7777)).ok());
    const QString folder = queue.folder();
    QJsonObject incomplete = QJsonDocument::fromJson(encodeQueuedMessage(waitingMessage(QStringLiteral("x/1.2.3.4"),
                                                                                        SendTransport::Tcp, 7777)))
                                 .object();
    incomplete.insert(QStringLiteral("stream"), QStringLiteral("not base64 at all!"));
    const std::pair<const char *, QByteArray> junk[] = {
        {"20240101-000000-000-1-a.queued", "not json"},
        {"20240101-000000-000-1-b.queued", {}},
        {"20240101-000000-000-1-c.queued", "[1, 2, 3]"},
        {"20240101-000000-000-1-d.queued", QJsonDocument(incomplete).toJson()},
        {"notes.txt", "left here by someone"},
        {"bad name!.queued", "{}"},
    };
    for (const auto &[name, bytes] : junk)
        ASSERT_TRUE(test::writeFile(folder + QLatin1String(name), bytes));
    // A newer program's entry is not this program's to judge.
    QJsonObject newer = incomplete;
    newer.insert(QStringLiteral("version"), kQueueFormatVersion + 1);
    ASSERT_TRUE(
        test::writeFile(folder + QStringLiteral("20240101-000000-000-1-e.queued"), QJsonDocument(newer).toJson()));

    const QList<QueuedMessage> entries = queue.entries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, QStringLiteral("Bob"));
    const QStringList aside = QDir(queue.unreadableFolder()).entryList(QDir::Files);
    EXPECT_EQ(aside.size(), 6) << aside.join(u' ').toStdString();
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("20240101-000000-000-1-e.queued")));
    EXPECT_EQ(queue.entries().size(), 1); // and a second reading finds nothing more to move
}

TEST_F(DeliveryQueueTest, ATemporaryFileIsRemovedOnlyOnceItsWriterHasEnded)
{
    QDir().mkpath(queue.folder());
    QProcess ended;
    ended.start(QStringLiteral("true"));
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    const QString abandoned = QLatin1String(kTemporaryPrefix) + QString::number(endedPid) + QStringLiteral("-1f");
    const QString ours =
        QLatin1String(kTemporaryPrefix) + QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-2f");
    ASSERT_TRUE(test::writeFile(queue.folder() + abandoned, "half an entry"));
    ASSERT_TRUE(test::writeFile(queue.folder() + ours, "being written"));

    EXPECT_TRUE(queue.entries().isEmpty());
    EXPECT_FALSE(QFile::exists(queue.folder() + abandoned));
    EXPECT_TRUE(QFile::exists(queue.folder() + ours));
}

TEST_F(DeliveryQueueTest, AClaimExcludesEveryOtherClaimUntilItIsDropped)
{
    const QString id = queue.add(waitingMessage(QStringLiteral("Bob/10.0.0.5"), SendTransport::Tcp, 7777)).id;
    const DeliveryQueue sameFolder(appDataDir()); // as another process sees it
    QueueClaim::Status status{};
    {
        const std::optional<QueueClaim> first = queue.claim(id, status);
        ASSERT_TRUE(first);
        EXPECT_EQ(status, QueueClaim::Status::Claimed);
        EXPECT_FALSE(sameFolder.claim(id, status));
        EXPECT_EQ(status, QueueClaim::Status::Busy);
    }
    {
        const std::optional<QueueClaim> again = sameFolder.claim(id, status);
        ASSERT_TRUE(again);
        EXPECT_EQ(sameFolder.remove(*again, id), 0);
    }
    EXPECT_FALSE(queue.claim(id, status));
    EXPECT_EQ(status, QueueClaim::Status::Gone);
    // Claims leave no lock files behind.
    EXPECT_EQ(test::filesStartingWith(queue.folder() + QStringLiteral("claims/"), QString()), 0);
    EXPECT_FALSE(queue.claim(QStringLiteral("../../etc/passwd"), status));
}

TEST_F(DeliveryQueueTest, TheUnconfirmedNetworkDestinationsOfASendAreQueuedWithTheTransportTheSendChose)
{
    const MessagePacket packet{{}, "Message from Ann to Bob, Carl.\r\nHi", "ANN", '0', {}};
    SendRequest request;
    request.streamPacket = BuildStreamPacket(packet, "10.0.0.1", 7000);
    request.datagramPacket = BuildDatagramPacket(packet, "10.0.0.1", 7001);
    request.tcpPort = 7000;
    request.udpPort = 7001;
    const QStringList unconfirmed = unconfirmedDestinations(QStringLiteral(
        "Bob/10.0.0.5\r\nCarl/carl-pc:u\r\nbob@example.org\r\nAll/255.255.255.255:u\r\n10.0.0.9:9000\r\nBob/10.0.0.5"));

    const QueueingOutcome outcome = queueUnconfirmed(queue, request, unconfirmed, 2, wall.now->addSecs(5));
    EXPECT_EQ(outcome.queued,
              (QStringList{QStringLiteral("Bob/10.0.0.5"), QStringLiteral("Carl/carl-pc:u"),
                           QStringLiteral("10.0.0.9:9000")}));
    EXPECT_TRUE(outcome.failed.isEmpty());

    const QList<QueuedMessage> entries = queue.entries();
    ASSERT_EQ(entries.size(), 3);
    QHash<QString, QueuedMessage> byName;
    for (const QueuedMessage &entry : entries)
        byName.insert(entry.name, entry);
    EXPECT_EQ(byName[QStringLiteral("Bob")].transport, SendTransport::Tcp);
    EXPECT_EQ(byName[QStringLiteral("Bob")].port, 7000);
    EXPECT_EQ(byName[QStringLiteral("Bob")].streamPacket, request.streamPacket);
    EXPECT_EQ(byName[QStringLiteral("Carl")].transport, SendTransport::Udp);
    EXPECT_EQ(byName[QStringLiteral("Carl")].port, 7001);
    EXPECT_EQ(byName[QStringLiteral("Carl")].host, QStringLiteral("carl-pc"));
    EXPECT_EQ(byName[QStringLiteral("Carl")].datagramPacket, request.datagramPacket);
    EXPECT_EQ(byName[QStringLiteral("10.0.0.9:9000")].port, 9000);
    EXPECT_EQ(byName[QStringLiteral("Bob")].queuedAt, wall.now->addSecs(5));

    // "UseProtocol" 1 sends every destination by datagram, and so does the queue.
    DeliveryQueue other(appDataDir() + QStringLiteral("other/"));
    queueUnconfirmed(other, request, {QStringLiteral("Bob/10.0.0.5")}, 1, *wall.now);
    ASSERT_EQ(other.entries().size(), 1);
    EXPECT_EQ(other.entries()[0].transport, SendTransport::Udp);
}

TEST(QueuedMessage, AHostMatchesByNameWithoutRegardToCaseOrByTheAddressLastUsed)
{
    QueuedMessage entry = waitingMessage(QStringLiteral("Bob/Bob-PC:8000"), SendTransport::Tcp, 8000);
    entry.address = QStringLiteral("10.0.0.5");
    EXPECT_TRUE(entry.isForHost(QStringLiteral("bob-pc")));
    EXPECT_TRUE(entry.isForHost(QStringLiteral("BOB-PC:8000")));
    EXPECT_TRUE(entry.isForHost(QStringLiteral("10.0.0.5")));
    EXPECT_FALSE(entry.isForHost(QStringLiteral("bob")));
    EXPECT_FALSE(entry.isForHost(QStringLiteral("10.0.0.50")));
    EXPECT_FALSE(entry.isForHost(QString()));
}

} // namespace
} // namespace tq
