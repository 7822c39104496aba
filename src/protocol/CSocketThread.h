#pragma once

#include "platform/UniqueFd.h"
#include "res/StringTable.h"

#include <QString>

#include <functional>
#include <optional>
#include <thread>

struct sockaddr_in;

namespace tq {

class HostResolver;
class SendLedger;

// Where a worker's texts go: status-line texts, and the send-result event (code 4).
struct SendEvents {
    std::function<void(const QString &text)> status;
    std::function<void(int code, const QString &text)> report;
};

// One send worker: a thread of its own that delivers the message to one network destination
// and owns its socket. Every wait is bounded by the send's deadline and ends at once when the
// task stops its workers; a worker cut off that way ends without a word, since its
// destination is listed as failed anyway.
class CSocketThread {
public:
    // `index` is the destination's entry in the pending list; none for an automatic answer,
    // which records and reports nothing.
    CSocketThread(SendLedger &task, const SendEvents &events, const HostResolver &resolver, std::optional<int> index,
                  QString host, int port);
    virtual ~CSocketThread();
    CSocketThread(const CSocketThread &) = delete;
    CSocketThread &operator=(const CSocketThread &) = delete;

    // Starts the thread; throws std::system_error when it cannot be created.
    void start();
    // Waits for the thread to end (wake it first through the task).
    void join();

    const QString &host() const { return m_host; }
    int port() const { return m_port; }

protected:
    virtual void run() = 0;

    // "Contacting host " and the like: the text, the host, " ...".
    void showStatus(Sid text) const;
    void showStatusOnly(Sid text) const;
    void report(int code, const QString &text) const;
    // The destination's address, or nothing (unknown name, or cut off).
    std::optional<sockaddr_in> resolveTarget() const;
    // Waits until `fd` has one of `events`; false when the deadline passed or the task stopped.
    bool waitFor(int fd, short events) const;

    SendLedger &m_task;
    const std::optional<int> m_index;
    UniqueFd m_socket;

private:
    const SendEvents &m_events;
    const HostResolver &m_resolver;
    const QString m_host;
    const int m_port;
    std::jthread m_thread;
};

} // namespace tq
