#pragma once

#include "platform/WakeupEvent.h"
#include "protocol/ReceivedData.h"
#include "protocol/SendResultCode.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace tq {

class HandOverBound;

// The UDP receiver. It hands every non-empty datagram to the incoming-message handler
// (transport 1) with the sender's address and goes on at once; it never answers itself (the
// handler sends the delivery receipt once the message is kept). It reports only a busy port,
// with code 3. While the hand-over bound is reached, a datagram is dropped unconfirmed.
class CUDPReceiveThread : public QObject {
    Q_OBJECT
public:
    // A longer datagram is cut to this length.
    static constexpr int kMaxDatagram = 65534;
    // Room in the kernel for a burst of datagrams while the handler is busy.
    static constexpr int kReceiveBufferBytes = 1024 * 1024;

    // Port 0 lets the system choose (tests); boundPort() tells which.
    explicit CUDPReceiveThread(int port, QObject *parent = nullptr);
    ~CUDPReceiveThread() override;

    void start();
    // Wakes the thread and waits for it; returns within a fraction of a second.
    void stop();
    bool isRunning() const { return m_thread.joinable(); }
    // 0 until the socket is bound (and for good when it could not be).
    int boundPort() const { return m_boundPort.load(); }
    // The receive buffer the system granted, in bytes as it reports them.
    int receiveBufferBytes() const { return m_receiveBuffer.load(); }
    // The bound on what is handed over and not kept yet, shared with the other receiver. Set
    // before start(); without it the receiver has one of its own.
    void setHandOverBound(std::shared_ptr<HandOverBound> bound) { m_bound = std::move(bound); }
    // Datagrams dropped at the bound since the receiver started.
    quint64 droppedCount() const { return m_dropped.load(); }
    // A run of drops is reported once no datagram has come for this long, or once it has
    // lasted the longer time.
    static constexpr int kDropReportQuietMs = 500;
    static constexpr int kDropReportLongRunMs = 5000;

Q_SIGNALS:
    // The incoming-message event (transport 1): length = datagram size + 1 (its NUL).
    void incomingMessage(tq::Transport transport, const tq::ReceivedData &data);
    // The send-result event: code 3 with "UDP port %d" when the port is taken.
    void sendResult(tq::SendResultCode code, const QString &text);
    // A start-up failure the user must be told about; the receiver has ended.
    void criticalError(const QString &message);
    // `count` datagrams were dropped at the bound, since the last such report.
    void datagramsDropped(quint64 count);

private:
    void run();

    const int m_port;
    std::atomic<int> m_boundPort{0};
    std::atomic<int> m_receiveBuffer{0};
    std::atomic<quint64> m_dropped{0};
    std::shared_ptr<HandOverBound> m_bound;
    WakeupEvent m_wakeup;
    std::jthread m_thread;
};

} // namespace tq
