#pragma once

#include "platform/UniqueFd.h"
#include "protocol/CReceiveThread.h"
#include "protocol/CUDPReceiveThread.h"
#include "protocol/KeepTicket.h"
#include "queue/QueuedMessage.h"
#include "queue/WallClock.h"
#include "settings/SettingsStore.h"
#include "support/IsolatedHome.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

namespace tq::test {

// A waiting message as a send leaves it, queued now: the real packets of "Message from Ann to
// Bob." and `body`, whose replies go to 127.0.0.1 at `replyPort`.
QueuedMessage waitingMessage(const QString &destination, SendTransport transport, int port,
                             const QByteArray &body = "Hello Bob", int replyPort = 7777);

// The wall clock of a test: stands still until the test moves it.
struct ManualWallClock {
    std::shared_ptr<QDateTime> now = std::make_shared<QDateTime>(QDateTime(QDate(2024, 5, 6), QTime(7, 12), Qt::UTC));
    WallClock clock() const
    {
        return [now = now] { return *now; };
    }
    void advanceSeconds(qint64 seconds) { *now = now->addSecs(seconds); }
};

// A loopback port where nothing listens, held so that nothing else takes it meanwhile (no
// test running beside this one, no connection as its source port): a TCP socket bound to it
// on every address that does not listen, or a UDP socket that takes datagrams from one other
// port only. What is sent there is refused.
class RefusingPort {
public:
    explicit RefusingPort(SendTransport transport = SendTransport::Tcp);
    int port() const { return m_port; }
    // From now on a TCP connection is made, but nothing it sends is ever answered: a station
    // that hangs.
    void listenWithoutAnswering();
    // Whether a connection waits there (after listenWithoutAnswering()).
    bool isCalled() const;
    // Frees the port for the station that starts there.
    void release() { m_socket.reset(); }

private:
    UniqueFd m_socket;
    int m_port = 0;
};

// A station's TCP listener on a port the test held until now, and what it received.
class TcpStationAt {
public:
    explicit TcpStationAt(RefusingPort &place);
    // A port no other test holds (a private network's).
    explicit TcpStationAt(int port);
    ~TcpStationAt();
    bool isListening() const { return m_receiver.boundPort() != 0; }
    QList<QByteArray> packets;

private:
    QObject m_context;
    CReceiveThread m_receiver;
};

// A station's UDP receiver that confirms each datagram with a real delivery receipt to the
// reply port the datagram names, as a station does. `receiptSizeSkew` makes the receipt
// name a wrong size.
class UdpStation {
public:
    explicit UdpStation(int listenPort = 0, int receiptSizeSkew = 0);
    ~UdpStation();
    int port() const { return m_receiver.boundPort(); }
    QList<QByteArray> packets;

private:
    QObject m_context;
    CUDPReceiveThread m_receiver;
};

// The queue's tests each have a home of their own with their retry settings.
class QueueFixture : public IsolatedHome {
protected:
    QueueFixture();
    SettingsStore settings;
    ManualWallClock wall;
};

// How many files the folder holds whose names begin with `prefix`.
int filesStartingWith(const QString &folder, const QString &prefix);

} // namespace tq::test
