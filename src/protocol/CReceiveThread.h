#pragma once

#include "platform/WakeupEvent.h"
#include "protocol/ReceivedData.h"
#include "protocol/SendResultCode.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace tq {

class HandOverBound;

// The TCP listener. It reads one stream-form packet from each connection, hands a copy to
// the incoming-message handler, answers the sender with the length it kept (ASCII digits)
// once the handler has kept the message (see KeepTicket), and closes the connection. Many senders are read at once,
// each with its own five-minute time-out, and idle connections cannot keep the others out (see ListenerLoop). Packets
// are handed on one at a time, in the order they complete.
class CReceiveThread : public QObject {
    Q_OBJECT
public:
    // Senders the loop has not taken yet wait in the kernel's queue. A short queue would make
    // a burst of senders retry their connection attempts for seconds, and a crowd of idle
    // connections fill it before a real sender gets in; the system caps it at its own limit.
    static constexpr int kListenBacklog = 4096;

    // Port 0 lets the system choose (tests); boundPort() tells which.
    explicit CReceiveThread(int port, QObject *parent = nullptr);
    ~CReceiveThread() override;

    void start();
    // Wakes the thread and waits for it; returns within a fraction of a second, also while
    // connections are being read. Open connections are closed without an answer.
    void stop();
    bool isRunning() const { return m_thread.joinable(); }
    int boundPort() const { return m_boundPort.load(); }
    // Runs on the listener's thread between its bind and its listen, the moment in which
    // another program that shares the port (both with SO_REUSEADDR) can start listening
    // first. Set before start(); tests use it to bring that moment about.
    void setBetweenBindAndListen(std::function<void()> step) { m_betweenBindAndListen = std::move(step); }
    // The bound on what is handed over and not kept yet, shared with the other receiver. Set
    // before start(); without it the listener has one of its own.
    void setHandOverBound(std::shared_ptr<HandOverBound> bound) { m_bound = std::move(bound); }

Q_SIGNALS:
    // The incoming-message event (transport 0). The sender gets its answer once the ticket
    // of `data` says the message is kept.
    void incomingMessage(tq::Transport transport, const tq::ReceivedData &data);
    // The send-result event: code 2 (listening) or 3 (port busy) with "TCP port %d".
    void sendResult(tq::SendResultCode code, const QString &text);
    // A start-up failure the user must be told about; the listener has ended.
    void criticalError(const QString &message);

private:
    void run();

    const int m_port;
    std::function<void()> m_betweenBindAndListen;
    std::shared_ptr<HandOverBound> m_bound;
    std::atomic<int> m_boundPort{0};
    WakeupEvent m_wakeup;
    std::jthread m_thread;
};

} // namespace tq
