#pragma once

#include "protocol/SendDestination.h"
#include "queue/DeliveryOutcome.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace tq {

// A message that waits for its destination to come back: the very bytes the send put on the
// wire, where they go, and how the attempts went so far. Each lives in a file of its own.
struct QueuedMessage {
    QString id; // the file's name without its extension; set by the queue
    QString destination; // as the send named it: "Bob/10.0.0.5", "bob-pc:8000u"
    QString name; // who the user wrote to: "Bob", else the destination itself
    QString host; // the destination's host: "10.0.0.5", "bob-pc"
    QString address; // the dotted IPv4 address its last attempt used; empty before one
    SendTransport transport = SendTransport::Tcp;
    int port = 0;
    QByteArray streamPacket; // the stream form, sent over TCP
    QByteArray datagramPacket; // the datagram form, sent over UDP
    QDateTime queuedAt; // UTC
    int attempts = 0;
    QDateTime lastAttemptAt; // UTC; null before the first attempt
    std::optional<DeliveryOutcome> lastOutcome;

    // The form that goes out on the entry's transport.
    const QByteArray &packet() const;
    // The packet's text field, heading line included, as it was sent.
    QByteArray text() const;
    // The first line the user wrote (the line after the heading), decoded for display.
    QString firstLine() const;
    // Whether `host` (a host name or address, with or without ":port") names this entry's host.
    bool isForHost(const QString &host) const;
    // The wall-clock moment after which the entry is given up.
    QDateTime expiresAt(int retryDays) const;
};

// The file of an entry: a small JSON object, the packets in base64.
inline constexpr int kQueueFormatVersion = 1;
QByteArray encodeQueuedMessage(const QueuedMessage &entry);

enum class QueueFileKind {
    Entry,
    Unreadable, // not an entry: set aside
    Newer, // written by a newer program; left alone
};
struct DecodedQueueFile {
    QueueFileKind kind = QueueFileKind::Unreadable;
    QueuedMessage entry;
};
// Reads what encodeQueuedMessage() wrote; anything else is unreadable, never a crash.
DecodedQueueFile decodeQueuedMessage(const QByteArray &bytes);

} // namespace tq
