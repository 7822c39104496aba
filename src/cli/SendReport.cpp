#include "cli/SendReport.h"

#include "protocol/SendDestination.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace tq::cli {
namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SendReport", text);
}

} // namespace

SendReport::SendReport(const QString &recipients)
{
    for (const QString &destination : splitDestinationList(recipients))
        (mailAddressOf(destination) ? m_mail : m_network).append(destination);
}

void SendReport::record(SendResultCode code, const QString &text)
{
    switch (code) {
    case SendResultCode::MailSent:
    case SendResultCode::MailFailed:
        m_mailSent = code == SendResultCode::MailSent;
        m_mailText = text;
        return;
    case SendResultCode::LengthMismatch:
        m_wrongLength.append(text);
        return;
    default:
        break;
    }
    // The list of the destinations not confirmed, one a line.
    if (notDeliveredCount(code) > 0)
        m_notConfirmed = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

bool SendReport::allConfirmed() const
{
    return m_notConfirmed.isEmpty() && (m_mail.isEmpty() || m_mailSent.value_or(false));
}

QStringList SendReport::errorLines() const
{
    QStringList lines;
    for (const QString &destination : m_notConfirmed)
        lines.append(tr("not confirmed: %1").arg(destination));
    for (const QString &host : m_wrongLength)
        lines.append(tr("answered with a wrong length (not a compatible station?): %1").arg(host));
    if (!m_mail.isEmpty())
        lines.append(tr("mail: %1").arg(m_mailSent ? m_mailText : tr("no outcome")));
    return lines;
}

QJsonObject SendReport::json(qint64 elapsedMs) const
{
    QJsonArray destinations;
    for (const QString &destination : m_network) {
        const bool confirmed = !m_notConfirmed.contains(destination);
        destinations.append(QJsonObject{
            {QStringLiteral("destination"), destination},
            {QStringLiteral("kind"), QStringLiteral("network")},
            {QStringLiteral("outcome"), confirmed ? QStringLiteral("confirmed") : QStringLiteral("not confirmed")}});
    }
    for (const QString &destination : m_mail) {
        const QString outcome = !m_mailSent ? QStringLiteral("no outcome")
            : *m_mailSent                   ? QStringLiteral("sent")
                                            : QStringLiteral("failed");
        destinations.append(QJsonObject{{QStringLiteral("destination"), destination},
                                        {QStringLiteral("kind"), QStringLiteral("mail")},
                                        {QStringLiteral("outcome"), outcome},
                                        {QStringLiteral("detail"), m_mailText}});
    }
    return QJsonObject{{QStringLiteral("destinations"), destinations},
                       {QStringLiteral("allConfirmed"), allConfirmed()},
                       {QStringLiteral("elapsedMs"), elapsedMs}};
}

} // namespace tq::cli
