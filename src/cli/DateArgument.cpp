#include "cli/DateArgument.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace tq::cli {

std::variant<WallClock, QString> parseDateArgument(const QString &option, const QString &text)
{
    // Qt reads more than these forms (a date followed by anything, a year of any length):
    // the shape is checked first, so that a typing error is never taken for another date.
    static const QRegularExpression dateOnly(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    static const QRegularExpression dateAndTime(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}[Tt ]\\d{2}:\\d{2}"));
    if (dateOnly.match(text).hasMatch()) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (date.isValid())
            return WallClock{date, QTime()};
    } else if (dateAndTime.match(text).hasMatch()) {
        QDateTime moment = QDateTime::fromString(text, Qt::ISODateWithMs);
        if (moment.isValid()) {
            if (moment.timeSpec() != Qt::LocalTime)
                moment = moment.toLocalTime();
            return WallClock{moment.date(), moment.time()};
        }
    }
    return QCoreApplication::translate("DateArgument",
                                       "%1 \"%2\": give a date as YYYY-MM-DD (2024-02-10) or a date and time in ISO "
                                       "8601 (2024-02-10T14:30, 2024-02-10T14:30:00+01:00)")
        .arg(option, text);
}

} // namespace tq::cli
