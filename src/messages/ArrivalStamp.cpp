#include "messages/ArrivalStamp.h"

namespace tq {
namespace {

bool isSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

} // namespace

QString timeFormatWithoutZone(const QString &longTimeFormat)
{
    QString result;
    bool quoted = false;
    bool hasSeconds = false;
    for (qsizetype i = 0; i < longTimeFormat.size(); ++i) {
        const QChar c = longTimeFormat.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            result.append(c);
            continue;
        }
        if (!quoted && c == QLatin1Char('t')) {
            // The zone field goes with the blanks that set it apart.
            while (!result.isEmpty() && isSpace(result.back()))
                result.chop(1);
            while (i + 1 < longTimeFormat.size() && longTimeFormat.at(i + 1) == QLatin1Char('t'))
                ++i;
            while (i + 1 < longTimeFormat.size() && result.isEmpty() && isSpace(longTimeFormat.at(i + 1)))
                ++i;
            continue;
        }
        if (!quoted && c == QLatin1Char('s'))
            hasSeconds = true;
        result.append(c);
    }
    result = result.trimmed();
    return hasSeconds ? result : QStringLiteral("HH:mm:ss");
}

ArrivalStampFormat::ArrivalStampFormat(const QLocale &locale)
    : m_locale(locale)
    , m_dateFormat(locale.dateFormat(QLocale::LongFormat))
    , m_timeFormat(timeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat)))
{
}

QByteArray ArrivalStampFormat::stamp(const QDateTime &time) const
{
    return (m_locale.toString(time.date(), m_dateFormat) + QStringLiteral(", ")
            + m_locale.toString(time.time(), m_timeFormat))
        .toUtf8();
}

} // namespace tq
