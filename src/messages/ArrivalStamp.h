#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>

namespace tq {

// How an arrival is written at the top of a message and in a delivery receipt: the user's
// long date, ", ", and the user's time with seconds but without the zone name. The formats
// are taken from the locale once.
class ArrivalStampFormat {
public:
    explicit ArrivalStampFormat(const QLocale &locale = QLocale::system());

    // UTF-8, as every text this station writes.
    QByteArray stamp(const QDateTime &time) const;
    const QString &dateFormat() const { return m_dateFormat; }
    const QString &timeFormat() const { return m_timeFormat; }

private:
    QLocale m_locale;
    QString m_dateFormat;
    QString m_timeFormat;
};

// The locale's long time format without its time-zone fields; "HH:mm:ss" when what is left
// shows no seconds.
QString timeFormatWithoutZone(const QString &longTimeFormat);

} // namespace tq
