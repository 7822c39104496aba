#include "queue/RetryRound.h"

#include "platform/WakeupEvent.h"
#include "queue/QueueDeliverer.h"
#include "queue/QueueTexts.h"

#include <cstring>

namespace tq {
namespace {

QString destinationKey(const QueuedMessage &entry)
{
    return entry.host.toLower() + QLatin1Char(':') + QString::number(entry.port)
        + (entry.transport == SendTransport::Udp ? QLatin1Char('u') : QLatin1Char('t'));
}

// The outcomes that say the host is not there now: its other messages would fare the same.
bool saysHostIsAway(DeliveryOutcome outcome)
{
    return outcome == DeliveryOutcome::Refused || outcome == DeliveryOutcome::NoAnswer
        || outcome == DeliveryOutcome::UnknownHost || outcome == DeliveryOutcome::NoReceiptListener;
}

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

RetryRound::RetryRound(const DeliveryQueue &queue, QueueDeliverer &deliverer, const UndeliveredFile &undelivered,
                       WallClock clock, RetryPolicy policy)
    : m_queue(queue)
    , m_deliverer(deliverer)
    , m_undelivered(undelivered)
    , m_clock(std::move(clock))
    , m_policy(policy)
{
}

void RetryRound::run(const RetryRequest &request, const WakeupEvent &stop, const Report &report)
{
    m_unreachable.clear();
    const QList<QueuedMessage> entries = m_queue.entries();
    for (const QueuedMessage &entry : entries) {
        if (stop.isSignalled())
            return;
        const QDateTime now = m_clock();
        if (now >= entry.expiresAt(m_policy.retryDays)) {
            if (request.kind == RetryRequest::Kind::Due || isWanted(entry, request, now))
                expire(entry, report);
            continue;
        }
        if (isWanted(entry, request, now) && !attempt(entry, stop, report))
            return;
    }
}

bool RetryRound::isWanted(const QueuedMessage &entry, const RetryRequest &request, const QDateTime &now) const
{
    switch (request.kind) {
    case RetryRequest::Kind::Due:
        // Half an interval: another process's round, or one the host's return started, may
        // have tried it a moment ago.
        return !entry.lastAttemptAt.isValid() || entry.lastAttemptAt.msecsTo(now) >= m_policy.intervalSeconds * 500LL;
    case RetryRequest::Kind::Host:
        return entry.isForHost(request.key);
    case RetryRequest::Kind::Entry:
        return entry.id == request.key;
    }
    return false;
}

void RetryRound::expire(const QueuedMessage &listed, const Report &report)
{
    QueueClaim::Status status{};
    const std::optional<QueueClaim> claim = m_queue.claim(listed.id, status);
    if (!claim)
        return;
    const std::optional<QueuedMessage> entry = m_queue.read(listed.id);
    if (!entry)
        return;
    // The text is safe on the disk before the entry goes; when it cannot be written the
    // entry stays, and the next round tries again.
    if (const int error = m_undelivered.keep(*entry); error != 0) {
        report(
            {RoundEvent::Kind::Problem, entry->id, undeliveredFileFailedText(m_undelivered.path(), errorText(error))});
        return;
    }
    m_queue.remove(*claim, entry->id);
    report({RoundEvent::Kind::Expired, entry->id,
            notDeliveredText(*entry, m_clock(), m_policy.retryDays, m_undelivered.path())});
}

bool RetryRound::attempt(const QueuedMessage &listed, const WakeupEvent &stop, const Report &report)
{
    QueueClaim::Status status{};
    const std::optional<QueueClaim> claim = m_queue.claim(listed.id, status);
    if (!claim)
        return true; // another process has it, or it is gone
    // What the file says now: another process may have tried it since the listing.
    const std::optional<QueuedMessage> entry = m_queue.read(listed.id);
    if (!entry)
        return true;
    const QDateTime startedAt = m_clock();
    const QString key = destinationKey(*entry);
    if (const auto away = m_unreachable.constFind(key); away != m_unreachable.constEnd()) {
        record(*claim, *entry, *away, startedAt, report);
        return true;
    }
    const DeliveryResult result = m_deliverer.deliver(*entry, m_policy.budgetMs, stop);
    if (result.outcome == DeliveryOutcome::Stopped)
        return false;
    if (saysHostIsAway(result.outcome))
        m_unreachable.insert(key, result);
    record(*claim, *entry, result, startedAt, report);
    return true;
}

void RetryRound::record(const QueueClaim &claim, QueuedMessage entry, const DeliveryResult &result,
                        const QDateTime &startedAt, const Report &report)
{
    if (isFinal(result.outcome)) {
        const int error = m_queue.remove(claim, entry.id);
        report({RoundEvent::Kind::Delivered, entry.id,
                deliveredText(entry, m_clock(), result.outcome == DeliveryOutcome::AcceptedWithErrors)});
        if (error != 0)
            report({RoundEvent::Kind::Problem, entry.id, removalFailedText(entry, m_queue.folder(), errorText(error))});
        return;
    }
    entry.attempts += 1;
    entry.lastAttemptAt = startedAt;
    entry.lastOutcome = result.outcome;
    if (!result.address.isEmpty())
        entry.address = result.address;
    // A full disk keeps the last record as it was; the attempt is still reported.
    m_queue.update(claim, entry);
    report({RoundEvent::Kind::Attempted, entry.id, outcomeText(result.outcome)});
}

} // namespace tq
