#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tq {

// Who this station is, as a receipt names it.
struct ReceiptIdentity {
    QByteArray systemName; // own "System Name"
    QByteArray email; // own "E-mailAddress"
    QByteArray ownIp; // own IPv4 address text
    int udpPort = 7777; // own UDP port
};

// The recipients a receipt confirms, taken from the heading line the sending station put
// before its message ("Message from Ann to Bob, Carl." and CR LF gives "Bob, Carl"): what
// follows the first " to ", up to the first line feed, without the two characters before it.
// When the heading names nobody that way, the own address.
QByteArray receiptRecipients(QByteArrayView receivedText, QByteArrayView ownIp);

// The receipt text: "NOTIFY MESSAGE", the recipients, the arrival stamp and the size in bytes
// of the received text, on four lines.
QByteArray deliveryReceiptText(QByteArrayView receivedText, QByteArrayView arrivalStamp, QByteArrayView ownIp);

// The whole receipt datagram for a received message, tag "NOTIFY_MESSAGE", importance '0'.
QByteArray BuildDeliveryReceipt(QByteArrayView receivedText, QByteArrayView arrivalStamp, const ReceiptIdentity &own);

// Sends one datagram from a new socket on any local port and closes it again. Nothing is
// reported: a receipt that cannot go out is not sent.
void sendDatagram(QByteArrayView ip, int port, QByteArrayView datagram);

} // namespace tq
