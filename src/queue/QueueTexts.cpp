#include "queue/QueueTexts.h"

#include "queue/QueuedMessage.h"

#include <QCoreApplication>
#include <QLocale>

namespace tq {
namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DeliveryQueue", text);
}

} // namespace

QString queuedTimeText(const QDateTime &queuedAt, const QDateTime &now)
{
    const QDateTime local = queuedAt.toLocalTime();
    const QString time = local.toString(QStringLiteral("HH:mm"));
    if (local.date() == now.toLocalTime().date())
        return time;
    return QLocale::system().toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') + time;
}

QString deliveredText(const QueuedMessage &entry, const QDateTime &now, bool possiblyWithErrors)
{
    const QString text = possiblyWithErrors ? tr("Delivered to %1 (queued %2), possibly with errors")
                                            : tr("Delivered to %1 (queued %2)");
    return text.arg(entry.name, queuedTimeText(entry.queuedAt, now));
}

QString notDeliveredText(const QueuedMessage &entry, const QDateTime &now, int retryDays, const QString &keptIn)
{
    return tr("Not delivered to %1 (queued %2): no answer in %3 day(s). The text is kept in %4")
        .arg(entry.name, queuedTimeText(entry.queuedAt, now), QString::number(retryDays), keptIn);
}

QString undeliveredFileFailedText(const QString &path, const QString &reason)
{
    return tr("Unable to write undelivered message to file: %1 (%2)").arg(path, reason);
}

QString removalFailedText(const QueuedMessage &entry, const QString &folder, const QString &reason)
{
    return tr("The message to %1 was delivered but could not be removed from %2 (%3)").arg(entry.name, folder, reason);
}

} // namespace tq
