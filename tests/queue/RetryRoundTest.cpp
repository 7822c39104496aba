// Which waiting messages a round tries, gives up or leaves alone, with a deliverer that
// answers what the test says and a clock the test moves.
#include "QueueTestSupport.h"

#include "platform/WakeupEvent.h"
#include "queue/DeliveryQueue.h"
#include "queue/QueueDeliverer.h"
#include "queue/QueueTexts.h"
#include "queue/RetryRound.h"
#include "support/Files.h"
#include "support/QtPrinters.h"

#include <QDir>

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::waitingMessage;

// Answers each attempt with the outcome the test set for the entry's host.
class ScriptedDeliverer : public QueueDeliverer {
public:
    DeliveryResult deliver(const QueuedMessage &entry, int, const WakeupEvent &) override
    {
        tried.append(entry.destination);
        return {outcomes.value(entry.host, DeliveryOutcome::Delivered), QStringLiteral("10.0.0.99")};
    }
    QHash<QString, DeliveryOutcome> outcomes;
    QStringList tried;
};

class RetryRoundTest : public test::QueueFixture {
protected:
    QString add(const QString &destination, SendTransport transport = SendTransport::Tcp)
    {
        QueuedMessage entry = waitingMessage(destination, transport, 7777);
        entry.queuedAt = *wall.now;
        return queue.add(entry).id;
    }

    QList<RoundEvent> run(RetryRequest request = {})
    {
        QList<RoundEvent> events;
        RetryRound round(queue, deliverer, undelivered, wall.clock(), policy);
        round.run(request, stop, [&](const RoundEvent &event) { events.append(event); });
        return events;
    }

    DeliveryQueue queue{appDataDir()};
    UndeliveredFile undelivered{appDataDir()};
    ScriptedDeliverer deliverer;
    RetryPolicy policy{300, 3, 1000};
    WakeupEvent stop;
};

TEST_F(RetryRoundTest, ADeliveredEntryLeavesTheQueueAndAFailedOneRecordsItsAttempt)
{
    add(QStringLiteral("Bob/bob-pc"));
    const QString carl = add(QStringLiteral("Carl/carl-pc"));
    deliverer.outcomes.insert(QStringLiteral("carl-pc"), DeliveryOutcome::Refused);
    wall.advanceSeconds(120);

    const QList<RoundEvent> events = run();
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].kind, RoundEvent::Kind::Delivered);
    EXPECT_EQ(events[0].text,
              QStringLiteral("Delivered to Bob (queued %1)").arg(queuedTimeText(wall.now->addSecs(-120), *wall.now)));
    EXPECT_EQ(events[1].kind, RoundEvent::Kind::Attempted);

    const QList<QueuedMessage> left = queue.entries();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0].id, carl);
    EXPECT_EQ(left[0].attempts, 1);
    EXPECT_EQ(left[0].lastAttemptAt, *wall.now);
    EXPECT_EQ(left[0].lastOutcome, DeliveryOutcome::Refused);
    EXPECT_EQ(left[0].address, QStringLiteral("10.0.0.99"));
}

TEST_F(RetryRoundTest, ThePeriodicRoundSkipsWhatWasTriedWithinHalfAnIntervalButOtherRequestsDoNot)
{
    add(QStringLiteral("Bob/bob-pc"));
    deliverer.outcomes.insert(QStringLiteral("bob-pc"), DeliveryOutcome::NoAnswer);
    run();
    ASSERT_EQ(deliverer.tried.size(), 1);

    wall.advanceSeconds(policy.intervalSeconds / 2 - 1);
    run();
    EXPECT_EQ(deliverer.tried.size(), 1); // another process's round may just have tried it

    run({RetryRequest::Kind::Host, QStringLiteral("BOB-PC")});
    EXPECT_EQ(deliverer.tried.size(), 2);
    run({RetryRequest::Kind::Entry, queue.entries().first().id});
    EXPECT_EQ(deliverer.tried.size(), 3);

    wall.advanceSeconds(policy.intervalSeconds / 2);
    run();
    EXPECT_EQ(deliverer.tried.size(), 4);
}

TEST_F(RetryRoundTest, AReachableHostTriesOnlyItsOwnEntries)
{
    add(QStringLiteral("Bob/bob-pc"));
    add(QStringLiteral("Carl/carl-pc:8000"));
    run({RetryRequest::Kind::Host, QStringLiteral("carl-pc")});
    EXPECT_EQ(deliverer.tried, QStringList{QStringLiteral("Carl/carl-pc:8000")});
    EXPECT_EQ(queue.entries().size(), 1);
}

TEST_F(RetryRoundTest, AHostThatDidNotAnswerIsNotTriedAgainForItsOtherMessagesInTheSameRound)
{
    add(QStringLiteral("Bob/bob-pc"));
    add(QStringLiteral("Bob/bob-pc"));
    add(QStringLiteral("Bob/bob-pc:u"), SendTransport::Udp); // another road to the host
    deliverer.outcomes.insert(QStringLiteral("bob-pc"), DeliveryOutcome::NoAnswer);

    run();
    EXPECT_EQ(deliverer.tried.size(), 2);
    for (const QueuedMessage &entry : queue.entries()) {
        EXPECT_EQ(entry.attempts, 1);
        EXPECT_EQ(entry.lastOutcome, DeliveryOutcome::NoAnswer);
    }
}

TEST_F(RetryRoundTest, AnEntryOlderThanTheRetryDaysIsGivenUpAndItsTextKept)
{
    add(QStringLiteral("Bob/bob-pc"));
    deliverer.outcomes.insert(QStringLiteral("bob-pc"), DeliveryOutcome::Refused);
    wall.advanceSeconds(3 * 24 * 3600 - 1);
    run();
    EXPECT_EQ(deliverer.tried.size(), 1);
    ASSERT_EQ(queue.entries().size(), 1);

    wall.advanceSeconds(1);
    const QList<RoundEvent> events = run();
    EXPECT_EQ(deliverer.tried.size(), 1); // not tried once more
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].kind, RoundEvent::Kind::Expired);
    EXPECT_TRUE(events[0].text.startsWith(QStringLiteral("Not delivered to Bob (queued ")));
    EXPECT_TRUE(events[0].text.endsWith(undelivered.path()));
    EXPECT_TRUE(queue.entries().isEmpty());

    const QByteArray kept = test::readFile(undelivered.path());
    EXPECT_TRUE(kept.startsWith("Not delivered to Bob/bob-pc.\r\n*******************************************\r\n"));
    EXPECT_TRUE(
        kept.contains("\r\nMessage from Ann to Bob.\r\nHello Bob\r\n*******************************************\r\n"));
    EXPECT_TRUE(kept.endsWith("Hello Bob\r\n*******************************************\r\n"));
}

TEST_F(RetryRoundTest, AnEntryWhoseTextCannotBeKeptStaysInTheQueue)
{
    add(QStringLiteral("Bob/bob-pc"));
    QDir().mkpath(undelivered.path()); // a folder where the file should be
    wall.advanceSeconds(4 * 24 * 3600);

    const QList<RoundEvent> events = run();
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].kind, RoundEvent::Kind::Problem);
    EXPECT_TRUE(events[0].text.contains(undelivered.path()));
    EXPECT_EQ(queue.entries().size(), 1);
    EXPECT_TRUE(deliverer.tried.isEmpty());
}

TEST_F(RetryRoundTest, AnEntryClaimedElsewhereIsLeftToItsClaimant)
{
    const QString id = add(QStringLiteral("Bob/bob-pc"));
    QueueClaim::Status status{};
    const std::optional<QueueClaim> elsewhere = DeliveryQueue(appDataDir()).claim(id, status);
    ASSERT_TRUE(elsewhere);
    EXPECT_TRUE(run().isEmpty());
    EXPECT_TRUE(deliverer.tried.isEmpty());
    EXPECT_EQ(queue.entries().size(), 1);
}

TEST_F(RetryRoundTest, AStoppedRoundEndsBeforeTheNextEntry)
{
    add(QStringLiteral("Bob/bob-pc"));
    add(QStringLiteral("Carl/carl-pc"));
    stop.signal();
    EXPECT_TRUE(run().isEmpty());
    EXPECT_TRUE(deliverer.tried.isEmpty());
}

} // namespace
} // namespace tq
