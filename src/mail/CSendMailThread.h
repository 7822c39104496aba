#pragma once

#include "platform/WakeupEvent.h"
#include "protocol/MailSendJob.h"
#include "settings/SettingsStore.h"

#include <QDateTime>
#include <QLocale>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tq {

class MailSocket;
struct SmtpMailParts;

// The e-mail part of a send: one plain-text mail per address, in list order, over one SMTP
// conversation (HELO, then MAIL, RCPT, DATA for each address, QUIT) with the server of
// "SMTPServer". The sender is "E-mailAddress" with "Full Name". An address the server refuses
// is skipped with RSET and the next one is tried; the error text tells how the last address
// fared.
class CSendMailThread final : public MailSendJob {
public:
    using StatusCallback = std::function<void(const QString &)>;

    struct Options {
        // Every socket operation gives up after this, also when nobody cancels.
        std::chrono::milliseconds socketTimeout{60000};
        // The time written into the "Date:" line; the current local time when empty.
        std::function<QDateTime()> now;
        QLocale locale = QLocale::system();
        // Named in HELO; the machine's host name when empty.
        QString localHostName;
    };

    // Reads the settings and starts the delivery at once in a thread of its own.
    CSendMailThread(SettingsStore settings, QStringList addresses, QByteArray plainText, StatusCallback status,
                    Options options);
    CSendMailThread(SettingsStore settings, QStringList addresses, QByteArray plainText, StatusCallback status);
    ~CSendMailThread() override;

    bool waitUntil(std::chrono::steady_clock::time_point deadline) override;
    void cancel() override;
    QString errorText() const override;

private:
    void run();
    void converse(MailSocket &socket);
    bool deliver(MailSocket &socket, const QString &address, const QByteArray &date, const SmtpMailParts &parts);
    void setError(const QString &text);
    void reportDelivered();
    void status(const QString &text) const;

    const QString m_server; // "SMTPServer"
    const QString m_sender; // "E-mailAddress"
    const QString m_fullName;
    const QStringList m_addresses;
    const QByteArray m_plainText;
    const StatusCallback m_status;
    const Options m_options;
    WakeupEvent m_wakeup;

    mutable std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = false;
    bool m_cancelled = false; // from now on no delivery empties the error text
    // Never empty before a mail has been accepted: a send task that stops waiting before the
    // conversation has begun must not read it as a success.
    QString m_error;

    std::jthread m_thread;
};

// The way the send task starts e-mail deliveries.
MailSendJobFactory smtpMailSendJobFactory(SettingsStore settings = SettingsStore());

} // namespace tq
