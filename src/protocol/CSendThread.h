#pragma once

#include "protocol/SendRequest.h"
#include "settings/SettingsStore.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <thread>

namespace tq {

class SendLedger;

// One send: walks the destination list, starts a worker per network destination (at most
// kMaxOutstanding at a time), hands the e-mail destinations to the mail sender, waits for all
// of it within one budget and reports the outcome once:
//   0       every network destination confirmed
//   4       a TCP receiver answered a different length (from the worker, with the host)
//   5, 6    the e-mail part succeeded / failed (with the text to show)
//   10 + n  n destinations not confirmed, sorted, joined by CR LF; a destination the budget
//           left no time to try is among them
// A list without any destination reports nothing; neither does an automatic answer.
class CSendThread : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxOutstanding = 252;

    // `settings` supplies "UseProtocol" and, without a mail service, "SMTPServer".
    CSendThread(SendRequest request, const SettingsStore &settings, SendServices services = {},
                QObject *parent = nullptr);
    ~CSendThread() override;

    // The budget starts now.
    void start();
    // Ends the send at once: the task and its workers are woken and joined. A send stopped
    // before its report reports nothing.
    void stop();
    bool isFinished() const { return m_finished.load(); }

Q_SIGNALS:
    void sendResult(int code, const QString &text);
    // Progress for the main frame's status line.
    void statusText(const QString &text);
    // The task has ended; its thread can be joined without waiting.
    void finished();

private:
    void run();
    // Runs the e-mail part and reports its outcome.
    void sendMail(const QStringList &addresses);

    const SendRequest m_request;
    const SettingsStore m_settings;
    const SendServices m_services;
    std::unique_ptr<SendLedger> m_ledger;
    std::atomic<bool> m_finished{false};
    std::jthread m_thread;
};

// The text of a code 10 + n report: the destinations sorted by their bytes, joined by CR LF.
QString failedDestinationsText(QStringList destinations);

} // namespace tq
