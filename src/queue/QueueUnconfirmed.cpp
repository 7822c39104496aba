#include "queue/QueueUnconfirmed.h"

#include "protocol/Ipv4Range.h"
#include "protocol/SendDestination.h"
#include "protocol/SendRequest.h"

#include <QSet>

#include <arpa/inet.h>

namespace tq {
namespace {

// A broadcast or network address reaches no one station; such a send is never kept.
bool namesOneStation(const QString &host)
{
    in_addr address{};
    if (::inet_aton(host.toLatin1().constData(), &address) == 0)
        return true; // a name: whatever it resolves to is judged when it is tried
    return Ipv4Range::isStationAddress(ntohl(address.s_addr));
}

} // namespace

QString destinationDisplayName(const QString &destination)
{
    const qsizetype slash = destination.lastIndexOf(QLatin1Char('/'));
    const QString name = slash > 0 ? destination.first(slash).trimmed() : QString();
    return name.isEmpty() ? destination.trimmed() : name;
}

QStringList unconfirmedDestinations(const QString &reportText)
{
    QStringList destinations;
    for (const QString &line : reportText.split(QLatin1Char('\n'))) {
        const QString destination = line.trimmed();
        if (!destination.isEmpty())
            destinations.append(destination);
    }
    return destinations;
}

bool isKeepable(const QString &destination)
{
    if (mailAddressOf(destination))
        return false;
    // The host does not depend on the ports or the transport.
    const QString host = networkTarget(destination, 0, 0, 2).host.trimmed();
    return !host.isEmpty() && namesOneStation(host);
}

QueueingOutcome queueUnconfirmed(const DeliveryQueue &queue, const SendRequest &request,
                                 const QStringList &destinations, int useProtocol, const QDateTime &now)
{
    QueueingOutcome outcome;
    QSet<QString> seen;
    for (const QString &destination : destinations) {
        if (seen.contains(destination) || !isKeepable(destination))
            continue;
        seen.insert(destination);
        const NetworkTarget target = networkTarget(destination, request.tcpPort, request.udpPort, useProtocol);
        QueuedMessage entry;
        entry.destination = destination;
        entry.name = destinationDisplayName(destination);
        entry.host = target.host.trimmed();
        entry.transport = target.transport;
        entry.port = target.port;
        entry.streamPacket = request.streamPacket;
        entry.datagramPacket = request.datagramPacket;
        entry.queuedAt = now.toUTC();
        const DeliveryQueue::Added added = queue.add(entry);
        if (added.ok())
            outcome.queued.append(destination);
        else
            outcome.failed.append(destination + QStringLiteral(": ") + added.errorText());
    }
    return outcome;
}

} // namespace tq
