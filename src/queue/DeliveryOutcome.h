#pragma once

#include <QString>

#include <optional>

namespace tq {

// How one attempt to deliver a waiting message ended.
enum class DeliveryOutcome {
    Delivered, // the station acknowledged the whole packet, or sent its receipt
    // The station answered a stream with another length: it took the message, perhaps with
    // errors, so it is not sent again.
    AcceptedWithErrors,
    Refused, // a host is there, nothing listens on the port
    NoAnswer, // nothing answered in time, or the connection broke off before the answer
    UnknownHost, // the host name has no address
    NoReceipt, // the datagram went out, no receipt came back in time
    // Not tried: no receiver of this program hears receipts on the message's reply port.
    NoReceiptListener,
    Stopped, // the program is ending; the attempt does not count
};

// Whether the entry is done with: it leaves the queue.
bool isFinal(DeliveryOutcome outcome);

// The word kept in the entry's file, and back. Unknown words give nothing.
QString outcomeKey(DeliveryOutcome outcome);
std::optional<DeliveryOutcome> outcomeFromKey(const QString &key);

// What the user reads in the list of waiting messages.
QString outcomeText(DeliveryOutcome outcome);

} // namespace tq
