#include "protocol/SendRequest.h"

#include "protocol/MessagePacket.h"
#include "settings/SettingsStore.h"

namespace tq {

SendRequest makeSendRequest(const SettingsStore &settings, const QString &destinations, const QByteArray &packetText,
                            const QByteArray &plainText, QByteArrayView ownIp, char importance)
{
    SendRequest request;
    request.destinations = destinations;
    request.tcpPort = tcpPort(settings);
    request.udpPort = effectiveUdpPort(settings);
    request.budgetMs = settings.get(keys::Delay);
    const MessagePacket packet{
        {}, packetText, settings.get(keys::SystemName).toUtf8(), importance, settings.get(keys::EmailAddress).toUtf8()};
    request.streamPacket = BuildStreamPacket(packet, ownIp, request.tcpPort);
    request.datagramPacket = BuildDatagramPacket(packet, ownIp, request.udpPort);
    request.plainText = plainText;
    return request;
}

} // namespace tq
