#pragma once

#include "platform/UniqueFd.h"
#include "platform/WakeupEvent.h"

#include <QByteArray>
#include <QList>

#include <atomic>
#include <mutex>
#include <thread>

namespace tq::test {

// A TCP peer on its own thread that plays a part in a probe exchange: a station, a silent
// listener, a wrong answerer, a server that greets first. It reads up to the stream
// terminator, then sends its answer pieces (pausing between them) and closes, or keeps the
// connection open until the prober lets go.
class ProbePeer {
public:
    struct Script {
        QList<QByteArray> answer{}; // pieces sent once the probe is read
        int pauseMs = 0; // between the pieces
        QByteArray greeting{}; // sent as soon as a connection is accepted
        bool closeAfterAnswer = true; // false: hold the connection until the prober closes
    };

    static Script station() { return {.answer = {QByteArrayLiteral("22")}}; }
    static Script silent() { return {.closeAfterAnswer = false}; }

    explicit ProbePeer(Script script, const char *address = "127.0.0.1", int port = 0);
    ~ProbePeer();
    bool isListening() const { return m_listener.valid(); }
    int port() const { return m_port; }

    int connectionCount() const { return m_connections.load(); }
    int mostAtOnce() const { return m_mostAtOnce.load(); }
    int openNow() const { return m_open.load(); }
    QList<QByteArray> received() const;

private:
    void run();

    const Script m_script;
    UniqueFd m_listener;
    int m_port = 0;
    WakeupEvent m_wakeup;
    std::atomic<int> m_connections{0};
    std::atomic<int> m_mostAtOnce{0};
    std::atomic<int> m_open{0};
    mutable std::mutex m_mutex;
    QList<QByteArray> m_received;
    std::thread m_thread;
};

} // namespace tq::test
