#pragma once

#include "protocol/CReceiveThread.h"
#include "protocol/CUDPReceiveThread.h"
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

// A station's TCP listener on a port the test chose beforehand, and what it received.
class TcpStationAt {
public:
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
