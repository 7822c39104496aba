#pragma once

#include "queue/DeliveryQueue.h"
#include "queue/RetryRound.h"
#include "queue/UndeliveredFile.h"
#include "queue/WallClock.h"
#include "settings/SettingsStore.h"

#include <QFileSystemWatcher>
#include <QList>
#include <QObject>
#include <QTimer>

#include <memory>
#include <thread>

namespace tq {

class QueueDeliverer;
class WakeupEvent;

// Delivers the waiting messages later. Every "RetryInterval" seconds, when a host is seen
// reachable again and when the user asks, a round (RetryRound) runs on a thread of its own,
// one round at a time; further requests wait for it. Entries that other processes queue are
// seen when the folder changes and tried at the next round at the latest. Lives on the
// user-interface thread, where its signals arrive.
class RetryScheduler : public QObject {
    Q_OBJECT
public:
    enum class CancelResult {
        Cancelled,
        Busy, // being delivered right now
        Gone, // delivered or cancelled meanwhile
        Failed, // its file could not be removed
    };

    RetryScheduler(const QString &appDataDir, std::shared_ptr<QueueDeliverer> deliverer, SettingsStore settings,
                   QObject *parent = nullptr);
    // Ends the round under way (its attempt does not count) and waits for it.
    ~RetryScheduler() override;

    void setWallClock(WallClock clock) { m_clock = std::move(clock); }

    // Watches the folder, reads it, and starts the retry timer.
    void start();
    void stop();

    const DeliveryQueue &queue() const { return m_queue; }
    // The entries as last read, the oldest first.
    const QList<QueuedMessage> &entries() const { return m_entries; }
    int count() const { return static_cast<int>(m_entries.size()); }
    bool isRoundRunning() const { return m_thread.joinable(); }

    // Tries the entries for `host` (a name or address, with or without a port) now.
    void hostReachable(const QString &host);
    // The periodic round, now.
    void retryDue();
    void retryNow(const QString &id);
    CancelResult cancel(const QString &id);
    // Reads "RetryInterval" again.
    void settingsChanged();
    // Reads the folder again.
    void refresh();

Q_SIGNALS:
    void delivered(const QString &text);
    void notDelivered(const QString &text);
    // A file could not be written or removed; `text` says which and why.
    void problem(const QString &text);
    void countChanged(int count);
    void entriesChanged();
    void roundFinished();

private:
    RetryPolicy policy() const;
    void request(const RetryRequest &request);
    void startNextRound();
    void roundEnded(int number);
    void roundEvent(const RoundEvent &event);

    const DeliveryQueue m_queue;
    const UndeliveredFile m_undelivered;
    const std::shared_ptr<QueueDeliverer> m_deliverer;
    const SettingsStore m_settings;
    WallClock m_clock = &systemWallClock;
    QList<QueuedMessage> m_entries;
    QList<RetryRequest> m_pending;
    QTimer m_retryTimer;
    // Many changes in a row (a round rewrites each file it tries) are read once.
    QTimer m_refreshDelay;
    QFileSystemWatcher m_watcher;
    std::shared_ptr<WakeupEvent> m_stopRound;
    std::jthread m_thread;
    int m_roundNumber = 0;
    bool m_started = false;
};

} // namespace tq
