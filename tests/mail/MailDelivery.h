#pragma once

#include "mail/CSendMailThread.h"

#include <QStringList>

#include <mutex>

namespace tq::test {

// Collects the status texts a delivery reports from its own thread.
class StatusLog {
public:
    CSendMailThread::StatusCallback callback()
    {
        return [this](const QString &text) {
            const std::lock_guard lock(m_mutex);
            m_texts.append(text);
        };
    }
    QStringList texts() const
    {
        const std::lock_guard lock(m_mutex);
        return m_texts;
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_texts;
};

inline const QString kStartStatus = QStringLiteral("Start mail sending process.");
inline const QString kSentStatus = QStringLiteral("Mail send successfully.");
inline const QString kUnexpectedAnswer =
    QStringLiteral("Error during mail sending process.\r\nSMTP server return unexpected answer.");

// Waits for a delivery as the send task does, with a generous deadline.
inline bool waitForDelivery(MailSendJob &job, std::chrono::seconds limit = std::chrono::seconds(30))
{
    return job.waitUntil(std::chrono::steady_clock::now() + limit);
}

} // namespace tq::test
