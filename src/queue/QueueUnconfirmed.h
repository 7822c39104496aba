#pragma once

#include "queue/DeliveryQueue.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tq {

struct SendRequest;

struct QueueingOutcome {
    QStringList queued; // the destinations that now wait
    // One line for each destination that could not be kept: the destination, ": ", why.
    QStringList failed;
};

// Keeps the message of `request` for delivery later to each of `destinations`, the network
// destinations a send could not confirm, with the transport and port the send chose for
// each. E-mail destinations and broadcasts are never queued; a destination named twice is
// queued once. `useProtocol` is the "UseProtocol" setting the send used.
QueueingOutcome queueUnconfirmed(const DeliveryQueue &queue, const SendRequest &request,
                                 const QStringList &destinations, int useProtocol, const QDateTime &now);

// Whether delivery later can keep a message for `destination`: one network station, never an
// e-mail address, a broadcast or a network's address.
bool isKeepable(const QString &destination);

// The destinations in the text of a send's report of unconfirmed destinations (one a line).
QStringList unconfirmedDestinations(const QString &reportText);

// Who the user wrote to: "Bob" for "Bob/10.0.0.5", the destination itself when it names
// nobody.
QString destinationDisplayName(const QString &destination);

} // namespace tq
