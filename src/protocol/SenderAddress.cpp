#include "protocol/SenderAddress.h"

namespace tq {

int replyPort(QByteArrayView replyAddress, int ownPort)
{
    const qsizetype colon = replyAddress.indexOf(':');
    if (colon < 0)
        return ownPort;
    int port = 0;
    for (qsizetype i = colon + 1; i < replyAddress.size(); ++i) {
        const char c = replyAddress[i];
        if (c < '0' || c > '9')
            break;
        port = port * 10 + (c - '0');
        // Any longer number is out of range too; stopping here keeps it from overflowing.
        if (port > 65535)
            return ownPort;
    }
    return port < 1 ? ownPort : port;
}

QByteArray senderAddress(QByteArrayView senderIp, int port, Transport transport, int ownPort)
{
    QByteArray address = senderIp.toByteArray();
    if (port != ownPort)
        address.append(':').append(QByteArray::number(port));
    if (transport == Transport::Udp) {
        if (port == ownPort)
            address.append(':');
        address.append('u');
    }
    return address;
}

bool isLocalSender(QByteArrayView senderIp, QByteArrayView ownIp)
{
    return senderIp.startsWith("127") || (!ownIp.isEmpty() && senderIp == ownIp);
}

QString senderHost(QByteArrayView sender)
{
    QByteArrayView host = sender.sliced(sender.lastIndexOf('/') + 1);
    if (const qsizetype colon = host.indexOf(':'); colon >= 0)
        host.truncate(colon);
    if (host.endsWith('u'))
        host.chop(1);
    return QString::fromLatin1(host);
}

} // namespace tq
