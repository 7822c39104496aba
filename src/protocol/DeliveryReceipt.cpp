#include "protocol/DeliveryReceipt.h"

#include "platform/UniqueFd.h"
#include "protocol/MessagePacket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace tq {

QByteArray receiptRecipients(QByteArrayView receivedText, QByteArrayView ownIp)
{
    // The heading is looked for as a text: it ends at a NUL.
    const qsizetype nul = receivedText.indexOf('\0');
    const QByteArrayView text = nul < 0 ? receivedText : receivedText.first(nul);
    const qsizetype lineFeed = text.indexOf('\n');
    const qsizetype to = text.indexOf(" to ");
    if (lineFeed < 0 || to < 0 || lineFeed - to + 4 <= 0)
        return ownIp.toByteArray();
    const qsizetype count = lineFeed - to - 6;
    return count > 0 ? text.sliced(to + 4, count).toByteArray() : QByteArray();
}

QByteArray deliveryReceiptText(QByteArrayView receivedText, QByteArrayView arrivalStamp, QByteArrayView ownIp)
{
    QByteArray text("NOTIFY MESSAGE\r\nRecipient(s) ");
    text.append(receiptRecipients(receivedText, ownIp));
    text.append(" successfully received your message.\r\nDate: ");
    text.append(arrivalStamp);
    text.append("\r\nSize of received message: ");
    text.append(QByteArray::number(receivedText.size()));
    return text;
}

QByteArray BuildDeliveryReceipt(QByteArrayView receivedText, QByteArrayView arrivalStamp, const ReceiptIdentity &own)
{
    MessagePacket receipt;
    receipt.tag = kReceiptKeyword.toByteArray();
    receipt.text = deliveryReceiptText(receivedText, arrivalStamp, own.ownIp);
    receipt.systemName = own.systemName;
    receipt.importance = '0';
    receipt.email = own.email;
    return BuildDatagramPacket(receipt, own.ownIp, own.udpPort);
}

void sendDatagram(QByteArrayView ip, int port, QByteArrayView datagram)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (port < 1 || port > 65535 || ::inet_pton(AF_INET, ip.toByteArray().constData(), &address.sin_addr) != 1)
        return;
    // Never waits: the user-interface thread sends these.
    const UniqueFd fd(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd.valid())
        return;
    [[maybe_unused]] const auto sent =
        ::sendto(fd.get(), datagram.data(), static_cast<size_t>(datagram.size()), MSG_NOSIGNAL,
                 reinterpret_cast<const sockaddr *>(&address), sizeof address);
}

} // namespace tq
