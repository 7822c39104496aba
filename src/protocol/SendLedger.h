#pragma once

#include "platform/WakeupEvent.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace tq {

class SendExchange;

// What one send task shares with its worker threads: the pending list, the exchanges not yet
// started, the count of those not yet ended, the deadline and the wake-up that stops the
// workers. One mutex guards the pending list and the open budget together, so a delivery is
// either recorded before the task closes the budget and reads the list, or not at all.
class SendLedger {
public:
    using Clock = std::chrono::steady_clock;

    explicit SendLedger(Clock::time_point deadline);
    ~SendLedger();

    Clock::time_point deadline() const { return m_deadline; }
    // Readable once the task stops its workers; workers poll it beside their sockets.
    int wakeFd() const { return m_wakeup.fd(); }

    // ---- the task's side
    // Adds a destination as pending and returns its index.
    int addPending(const QString &destination);
    // Queues an exchange for the workers.
    void enqueue(std::unique_ptr<SendExchange> exchange);
    int queuedCount() const;
    // Waits until every queued exchange has ended, the deadline passes or the task stops.
    void waitForAll();
    // Ends the budget: from now on no delivery is recorded. Returns the entries still pending.
    QStringList close();
    // Wakes the workers and every wait of the task; the send is to end at once.
    void stop();
    bool isStopped() const;

    // ---- the workers' side
    // The next exchange to start; nothing when none is left or the time is up.
    std::unique_ptr<SendExchange> takeNext();
    void exchangeEnded();
    // True while the budget runs.
    bool isOpen() const;
    // Empties the entry at `index` if the budget still runs; true when it did.
    bool markDelivered(int index);

private:
    const Clock::time_point m_deadline;
    WakeupEvent m_wakeup;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<QString> m_pending; // an empty entry: delivered
    std::deque<std::unique_ptr<SendExchange>> m_queue;
    int m_unfinished = 0; // queued or running
    bool m_open = true;
    bool m_stopped = false;
};

} // namespace tq
