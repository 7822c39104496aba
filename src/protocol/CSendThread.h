#pragma once

#include "protocol/SendExchange.h"
#include "protocol/SendRequest.h"
#include "protocol/SendResultCode.h"
#include "settings/SettingsStore.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace tq {

class SendLedger;
struct SendRunCompletion;

// One send, on a thread of its own: walks the destination list, gives every network
// destination an exchange (TCP or UDP) driven by that thread's poll loop (long lists get a
// few more worker threads), at most kMaxOutstanding exchanges under way at a time, hands the
// e-mail destinations to the mail sender, waits for all of it within one budget and reports
// the outcome once (see SendResultCode):
//   Delivered           every network destination confirmed
//   LengthMismatch      a TCP receiver answered a different length (from the exchange, with the host)
//   MailSent, MailFailed  the e-mail part succeeded / failed (with the text to show)
//   NotDelivered + n    n destinations not confirmed, sorted, joined by CR LF; a destination
//                       the budget left no time to try is among them
// A list without any destination reports nothing; neither does an automatic answer.
class CSendThread : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxOutstanding = 252;
    // The send's own thread carries its exchanges; only a list longer than one full load of
    // exchanges gets further worker threads, one per load, at most one per core. On a busy
    // machine more threads than that only wait for one another.
    static constexpr int kMaxWorkerThreads = 4;
    static constexpr int kExchangesPerExtraThread = kMaxOutstanding;
    // The status line changes at most this often while a send runs.
    static constexpr int kStatusIntervalMs = 50;

    // `settings` supplies "UseProtocol" and, without a mail service, "SMTPServer".
    CSendThread(SendRequest request, const SettingsStore &settings, SendServices services = {},
                QObject *parent = nullptr);
    ~CSendThread() override;

    // The budget starts now.
    void start();
    // Ends the send at once: the task and its workers are woken and waited for. A send
    // stopped before its report reports nothing.
    void stop();
    bool isFinished() const { return m_finished.load(); }

Q_SIGNALS:
    void sendResult(tq::SendResultCode code, const QString &text);
    // Progress for the main frame's status line. Texts that follow one another within
    // kStatusIntervalMs merge into the latest; the last one comes before the outcome.
    void statusText(const QString &text);
    // The task has ended; stopping or deleting it no longer waits.
    void finished();

private:
    void run();
    // Walks the list: queues the network exchanges, collects the e-mail addresses, and
    // returns the destinations the budget left no time for.
    QStringList walk(int useProtocol, QStringList &mailAddresses, bool &anyNetwork);
    // Waits for the e-mail part within the budget and reports its outcome; `last` when no
    // other outcome follows.
    void finishMail(MailSendJob *job, bool last);
    void reportResult(SendResultCode code, const QString &text);
    void reportOutcome(SendResultCode code, const QString &text, bool last);
    // From any thread: the status line is to show `text`.
    void relayStatus(const QString &text);
    // On this object's thread: shows the latest text, at most once per kStatusIntervalMs.
    void showStatus();
    // From the task: hands over the text still waiting, before an outcome is reported;
    // after the `last` one, texts are dropped.
    void flushStatus(bool last);

    const SendRequest m_request;
    const SettingsStore m_settings;
    const SendServices m_services;
    const HostResolver m_resolver;
    const SendEvents m_events;
    std::unique_ptr<SendLedger> m_ledger;
    std::mutex m_statusMutex;
    QString m_latestStatus;
    bool m_statusPending = false; // m_latestStatus is not shown yet
    bool m_statusHandover = false; // a showStatus() is queued or timed
    bool m_statusClosed = false;
    std::atomic<bool> m_finished{false};
    std::shared_ptr<SendRunCompletion> m_completion;
    std::jthread m_thread; // only when the pool has no thread to give
};

// The text of a code 10 + n report: the destinations sorted by their bytes, joined by CR LF.
QString failedDestinationsText(QStringList destinations);

} // namespace tq
