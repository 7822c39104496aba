#pragma once

#include "queue/DeliveryOutcome.h"

#include <QString>

namespace tq {

class WakeupEvent;
struct QueuedMessage;

struct DeliveryResult {
    DeliveryOutcome outcome = DeliveryOutcome::NoAnswer;
    QString address; // the dotted address the attempt went to, when it got that far
};

// Makes one ordinary exchange with a waiting message's destination: one TCP connection with
// the stream form, answered by its length, or one datagram, answered by a delivery receipt.
// The retry thread calls it, one attempt at a time.
class QueueDeliverer {
public:
    virtual ~QueueDeliverer() = default;
    // Returns once the exchange is over, `budgetMs` has passed, or `stop` has been signalled
    // (then with Stopped).
    virtual DeliveryResult deliver(const QueuedMessage &entry, int budgetMs, const WakeupEvent &stop) = 0;
};

} // namespace tq
