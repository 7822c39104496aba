#pragma once

#include "protocol/CReceiveThread.h"
#include "protocol/KeepTicket.h"
#include "protocol/ReceivedData.h"
#include "support/SignalWaiter.h"

#include <QList>
#include <QString>

namespace tq::test {

// A receiving station on loopback: the real TCP listener and the packets it handed on.
class ListeningStation {
public:
    // On `port`, or one the system chooses.
    explicit ListeningStation(int listenPort = 0)
        : m_receiver(listenPort)
    {
        QObject::connect(&m_receiver, &CReceiveThread::incomingMessage, &m_context,
                         [this](Transport, const ReceivedData &data) { packets.append(data.data); });
        // Kept on the listener's own thread: senders are answered while the test waits for them.
        QObject::connect(
            &m_receiver, &CReceiveThread::incomingMessage, &m_context,
            [](Transport, const ReceivedData &data) { data.ticket->kept(); }, Qt::DirectConnection);
        m_receiver.start();
        waitUntil([this] { return port() != 0; });
    }
    ~ListeningStation() { m_receiver.stop(); }

    int port() const { return m_receiver.boundPort(); }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port()); }

    QList<QByteArray> packets;

private:
    QObject m_context;
    CReceiveThread m_receiver;
};

} // namespace tq::test
