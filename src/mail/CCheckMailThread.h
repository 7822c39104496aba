#pragma once

#include "mail/MailCheckRequest.h"
#include "platform/WakeupEvent.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace tq {

class MailCounts;

// The steps a check reports while it talks to a mailbox's server.
namespace mailstep {
inline constexpr int Connecting = 0;
inline constexpr int Accepted = 1;
inline constexpr int UserSent = 2;
inline constexpr int UserAccepted = 3;
inline constexpr int PasswordSent = 4;
inline constexpr int PasswordAccepted = 5;
inline constexpr int Counting = 6;
inline constexpr int CountFailed = 8;
inline constexpr int AuthFailed = 9;
inline constexpr int ConnectFailed = 10;
inline constexpr int CountBase = 100; // 100 + the message count
} // namespace mailstep

// One check of one or two POP3 mailboxes (USER, PASS, STAT, QUIT), in a thread of its own.
// A rise of a mailbox's message count above the last known count is announced as new mail; an
// empty mailbox takes its icon away; a failure shows the error icon. The check reaches the
// user interface only through its signals.
class CCheckMailThread : public QObject {
    Q_OBJECT
public:
    // Every socket operation gives up after this; a server that never answers cannot keep a
    // check waiting, and the next check can start.
    static constexpr std::chrono::milliseconds kSocketTimeout{60000};

    explicit CCheckMailThread(const MailCheckRequest &request, MailCounts &counts, QObject *parent = nullptr);
    ~CCheckMailThread() override;

    void setSocketTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    void start();
    // Breaks off the check at once (no announcement, the counts stay as they were) and waits
    // for its thread.
    void cancel();
    bool hasEnded() const { return m_ended.load(); }

Q_SIGNALS:
    void errorIconRemoved();
    // `mailbox` is 111 or 112; the steps are those of mailstep.
    void progress(int mailbox, int step);
    void mailState(const QString &name, const QString &text, int code, bool playSound);
    void finished();

private:
    void run();
    // The new count, or nothing when the check was cancelled before it had one.
    std::optional<int> CheckMailbox(const MailboxAccount &account, int mailbox, int lastCount);
    void AnnounceMailState(const QString &name, const QString &text, int code);

    const MailCheckRequest m_request;
    MailCounts &m_counts;
    std::chrono::milliseconds m_timeout = kSocketTimeout;
    WakeupEvent m_wakeup;
    std::atomic<bool> m_ended{false};
    std::jthread m_thread;
};

} // namespace tq
