#pragma once

#include "queue/DeliveryQueue.h"
#include "queue/QueueDeliverer.h"
#include "queue/UndeliveredFile.h"
#include "queue/WallClock.h"

#include <QHash>
#include <QString>

#include <functional>

namespace tq {

class WakeupEvent;

// Which waiting messages a round tries.
struct RetryRequest {
    enum class Kind {
        Due, // every entry not tried within the last half interval (the periodic round)
        Host, // the entries for a host that has just been seen reachable
        Entry, // one entry, at the user's request
    };
    Kind kind = Kind::Due;
    QString key; // the host, or the entry's id

    friend bool operator==(const RetryRequest &, const RetryRequest &) = default;
};

struct RetryPolicy {
    int intervalSeconds = 300; // "RetryInterval"
    int retryDays = 3; // "RetryDays"
    int budgetMs = 3000; // one attempt, as long as a send waits ("Delay")
};

// What a round tells as it goes.
struct RoundEvent {
    enum class Kind {
        Delivered, // `text`: "Delivered to Bob (queued 09:12)"
        Expired, // given up; `text` says so and where the text is kept
        Attempted, // tried, not delivered; the entry's file says how
        Problem, // a file could not be written; `text` says which and why
    };
    Kind kind = Kind::Attempted;
    QString id;
    QString text;
};

// One pass over the queue, in the calling thread (the scheduler's retry thread): gives up
// entries older than the policy allows, keeping their text in the undelivered-message file,
// and tries the others the request names, each under its claim. After one host has not
// answered, its other entries in the same round are marked with that outcome, not tried:
// one dead host does not cost one budget per message.
class RetryRound {
public:
    using Report = std::function<void(const RoundEvent &event)>;

    RetryRound(const DeliveryQueue &queue, QueueDeliverer &deliverer, const UndeliveredFile &undelivered,
               WallClock clock, RetryPolicy policy);

    // Returns when every entry has been looked at, or early once `stop` is signalled.
    void run(const RetryRequest &request, const WakeupEvent &stop, const Report &report);

private:
    bool isWanted(const QueuedMessage &entry, const RetryRequest &request, const QDateTime &now) const;
    void expire(const QueuedMessage &entry, const Report &report);
    // False when the program is stopping.
    bool attempt(const QueuedMessage &entry, const WakeupEvent &stop, const Report &report);
    void record(const QueueClaim &claim, QueuedMessage entry, const DeliveryResult &result, const QDateTime &startedAt,
                const Report &report);

    const DeliveryQueue &m_queue;
    QueueDeliverer &m_deliverer;
    const UndeliveredFile &m_undelivered;
    const WallClock m_clock;
    const RetryPolicy m_policy;
    // Host, port and transport of the destinations that did not answer in this round, with
    // the outcome they gave.
    QHash<QString, DeliveryResult> m_unreachable;
};

} // namespace tq
