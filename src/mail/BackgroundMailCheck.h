#pragma once

#include "mail/MailCheckRequest.h"
#include "settings/SettingsStore.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>

namespace tq {

class CCheckMailThread;
class MailAnnouncer;
class MailCounts;

// Mail checking in the background: the mail-check timer of the main frame and the check it
// starts at every tick. A tick while the previous check still runs starts nothing, so a server
// that is slow to answer never piles up checks.
class BackgroundMailCheck : public QObject {
    Q_OBJECT
public:
    BackgroundMailCheck(SettingsStore settings, MailAnnouncer &announcer, MailCounts &counts,
                        QObject *parent = nullptr);
    ~BackgroundMailCheck() override;

    // Mail checking on: keeps `cache` for the ticks, checks at once and then every `minutes`
    // (at least one).
    void start(const MailSettingsCache &cache, int minutes);
    // Stops the timer and breaks off a check still running.
    void stop();
    // One check with the cached mailboxes; false when the previous check still runs.
    bool checkNow();

    bool isTimerActive() const { return m_timer.isActive(); }
    bool isCheckRunning() const { return m_check != nullptr; }
    std::chrono::milliseconds interval() const { return m_timer.intervalAsDuration(); }

    // Tests shorten the wait for a silent server.
    void setSocketTimeout(std::chrono::milliseconds timeout) { m_socketTimeout = timeout; }

Q_SIGNALS:
    void checkFinished();

private:
    void onCheckFinished();

    SettingsStore m_settings;
    MailAnnouncer &m_announcer;
    MailCounts &m_counts;
    MailSettingsCache m_cache;
    QTimer m_timer;
    std::unique_ptr<CCheckMailThread> m_check;
    std::chrono::milliseconds m_socketTimeout;
};

} // namespace tq
