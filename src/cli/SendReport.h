#pragma once

#include "protocol/SendResultCode.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace tq::cli {

// What became of one send from the command line, gathered from the send task's reports.
class SendReport {
public:
    // `recipients`: the send's ";"-separated destinations, as the send task walks them.
    explicit SendReport(const QString &recipients);

    // One send-result event of the send.
    void record(SendResultCode code, const QString &text);

    // Every network destination confirmed and any mail sent.
    bool allConfirmed() const;
    // Standard error's lines: "not confirmed: HOST" for each destination that was not, then
    // the mail outcome and any answer of a wrong length.
    QStringList errorLines() const;
    // The network destinations that were not confirmed: what a delivery later would take on.
    const QStringList &notConfirmed() const { return m_notConfirmed; }
    // Every destination with its outcome, and the time the send took.
    QJsonObject json(qint64 elapsedMs) const;

private:
    QStringList m_network;
    QStringList m_mail;
    QStringList m_notConfirmed;
    QStringList m_wrongLength;
    std::optional<bool> m_mailSent;
    QString m_mailText;
};

} // namespace tq::cli
