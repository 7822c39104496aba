#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tq {

// The seven-field unit that stations exchange. Fields are bytes, passed on as they came.
// Field 3 ("reserved") is always empty and not represented.
struct MessagePacket {
    QByteArray tag; // empty, or "NOTIFY_MESSAGE" for a delivery receipt
    QByteArray text; // heading line and message, lines ending in CR LF
    QByteArray systemName; // the sender's "System Name"
    char importance = '0'; // '0' normal, '1' high
    QByteArray email; // the sender's "E-mailAddress", may be empty
};

struct ParsedPacket {
    QByteArray tag;
    QByteArray text;
    QByteArray systemName;
    QByteArray email;
    QByteArray replyAddress; // "ip:port" (TCP) or "ip:portu" (UDP); only the port is used
    char importance = '0';
    bool wellFormed = false;
};

inline constexpr QByteArrayView kReceiptKeyword{"NOTIFY_MESSAGE"};
inline constexpr QByteArrayView kProbeKeyword{"QA_IDENTIFY_MESSAGE"};

// Stream form (TCP):
//   tag "/$0" text "/$1" systemName "/$2" "/$3" importance "/$4" email "/$7/$5" ip ":" port "/$6/$7"
QByteArray BuildStreamPacket(const MessagePacket &packet, QByteArrayView ownIp, int tcpPort);

// Datagram form (UDP): the fields separated by NUL '#' digit markers, the reply address
// ip ":" port "u", and the closing NUL "#6" NUL "#7" NUL "#8" NUL "#9" NUL.
QByteArray BuildDatagramPacket(const MessagePacket &packet, QByteArrayView ownIp, int udpPort);

// The stream form is a text: parsing stops at its first NUL byte.
ParsedPacket ParseStreamPacket(QByteArrayView data);
ParsedPacket ParseDatagramPacket(QByteArrayView data);

// The keyword tests look only at the start of the data and come before any parse.
bool isDeliveryReceipt(QByteArrayView data);
bool isIdentificationProbe(QByteArrayView data);

} // namespace tq
