#pragma once

#include "platform/WakeupEvent.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace tq {

// What one send task shares with its workers: the pending list, the count of workers still
// running, the deadline and the wake-up that stops them. One mutex guards the pending list
// and the open budget together, so a delivery is either recorded before the task closes the
// budget and reads the list, or not at all.
class SendLedger {
public:
    using Clock = std::chrono::steady_clock;

    explicit SendLedger(Clock::time_point deadline);

    Clock::time_point deadline() const { return m_deadline; }
    // Readable once the task stops its workers; workers poll it beside their sockets.
    int wakeFd() const { return m_wakeup.fd(); }

    // ---- the task's side
    // Adds a destination as pending and returns its index.
    int addPending(const QString &destination);
    void workerStarting();
    // Waits until fewer than `limit` workers run; false when the deadline passed or the
    // task was stopped first.
    bool waitForFewerThan(int limit);
    // Waits until no worker runs, the deadline passes or the task is stopped.
    void waitForAll();
    // Ends the budget: from now on no delivery is recorded. Returns the entries still pending.
    QStringList close();
    // Wakes the workers and every wait of the task; the send is to end at once.
    void stop();
    bool isStopped() const;

    // ---- the workers' side
    void workerEnded();
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
    int m_outstanding = 0;
    bool m_open = true;
    bool m_stopped = false;
};

} // namespace tq
