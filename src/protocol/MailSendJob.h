#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>

namespace tq {

// The e-mail part of one send: one plain-text mail per address, delivered in a thread of its
// own that the send task starts and waits for within its budget.
class MailSendJob {
public:
    virtual ~MailSendJob() = default;
    // Waits until the delivery has ended or `deadline` has passed; true when it ended.
    virtual bool waitUntil(std::chrono::steady_clock::time_point deadline) = 0;
    // Breaks off a delivery still under way (its blocking socket call fails at once) and waits
    // for its thread to end.
    virtual void cancel() = 0;
    // Empty once the mail to the last address was accepted; until then, and after a failure,
    // the text the user is shown. After a cancel it tells how far the delivery had come.
    virtual QString errorText() const = 0;
};

// Starts the delivery of `plainText` to `addresses`; `status` receives the status-line texts
// (from the delivery's own thread).
using MailSendJobFactory = std::function<std::unique_ptr<MailSendJob>(
    const QStringList &addresses, const QByteArray &plainText, std::function<void(const QString &)> status)>;

} // namespace tq
