#pragma once

#include "protocol/ReceivedData.h"
#include "protocol/SendResultCode.h"

#include <QObject>
#include <QString>

#include <memory>

namespace tq {

class CReceiveThread;
class HandOverBound;
class CUDPReceiveThread;

// The station's two receivers, the TCP listener and the UDP receiver, started together as
// "UseProtocol" asks and stopped together. Whatever either receives comes out of one signal,
// on the thread this object lives on, in the order it was received by each.
class StationReceivers : public QObject {
    Q_OBJECT
public:
    explicit StationReceivers(QObject *parent = nullptr);
    // Stops the receivers.
    ~StationReceivers() override;

    // "UseProtocol" 0: TCP only, 1: UDP only, 2: both. Running receivers are stopped first,
    // so a second start never leaves two behind. Port 0 lets the system choose.
    void start(int useProtocol, int tcpPort, int udpPort);
    // Wakes each receiver's thread and joins it; none is ever ended by force.
    void stop();

    CReceiveThread *tcp() const { return m_tcp.get(); }
    CUDPReceiveThread *udp() const { return m_udp.get(); }

Q_SIGNALS:
    // The incoming-message event of both receivers.
    void incomingMessage(tq::Transport transport, const tq::ReceivedData &data);
    // SendResultCode::Listening or PortBusy, with "TCP port %d" or "UDP port %d".
    void stateChanged(tq::Transport transport, tq::SendResultCode code, const QString &text);
    // A start-up failure the user must be told about; that receiver has ended.
    void criticalError(const QString &message);
    // The UDP receiver dropped `count` datagrams: too much was handed over and not kept yet.
    void datagramsDropped(quint64 count);

private:
    std::unique_ptr<CReceiveThread> m_tcp;
    std::unique_ptr<CUDPReceiveThread> m_udp;
    // What both receivers have handed over and not seen kept yet.
    std::shared_ptr<HandOverBound> m_bound;
};

} // namespace tq
