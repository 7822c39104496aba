#pragma once

#include <QByteArray>
#include <QMetaType>

#include <memory>

namespace tq {

class KeepTicket;

// Transport of an incoming message, the parameter of the incoming-message event.
enum class Transport : int { Tcp = 0, Udp = 1 };

// What a receiver hands to the incoming-message handler. The handler gets its own copy:
// the receiver goes on at once, and hears through the ticket when it may answer.
struct ReceivedData {
    // TCP: the length of the text kept. UDP: the datagram's byte count plus 1 (its NUL).
    quint32 length = 0;
    QByteArray senderIp; // dotted IPv4 text
    QByteArray data; // the packet bytes
    // Shared by every copy; none when nobody waits for the answer (tests of the handler).
    std::shared_ptr<KeepTicket> ticket = nullptr;
};

} // namespace tq

Q_DECLARE_METATYPE(tq::ReceivedData)
Q_DECLARE_METATYPE(tq::Transport)
