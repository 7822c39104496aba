#include "history/StoredArrival.h"

#include <optional>

namespace tq {
namespace {

// The month, day and time a message file's name begins with ("MMDDhhmmssmmm").
struct NameTime {
    int month = 0;
    int day = 0;
    QTime time;
};

std::optional<int> digitsAt(QStringView text, qsizetype position, qsizetype count)
{
    int value = 0;
    for (qsizetype i = position; i < position + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return value;
}

std::optional<NameTime> nameTime(QStringView fileName)
{
    constexpr qsizetype kTimeLength = 13;
    if (fileName.size() < kTimeLength)
        return std::nullopt;
    const auto month = digitsAt(fileName, 0, 2);
    const auto day = digitsAt(fileName, 2, 2);
    const auto hour = digitsAt(fileName, 4, 2);
    const auto minute = digitsAt(fileName, 6, 2);
    const auto second = digitsAt(fileName, 8, 2);
    const auto msec = digitsAt(fileName, 10, 3);
    if (!month || !day || !hour || !minute || !second || !msec)
        return std::nullopt;
    const QTime time(*hour, *minute, *second, *msec);
    // 29 February is a valid name: a leap year gives it its date.
    if (!time.isValid() || !QDate(2000, *month, *day).isValid())
        return std::nullopt;
    return NameTime{*month, *day, time};
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<int> stampYear(QByteArrayView stampLine, const NameTime &name, int latestYear)
{
    for (qsizetype i = 0; i < stampLine.size();) {
        if (!isDigit(stampLine[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < stampLine.size() && isDigit(stampLine[end]))
            ++end;
        if (end - i == 4) {
            int year = 0;
            for (qsizetype d = i; d < end; ++d)
                year = year * 10 + (stampLine[d] - '0');
            if (year >= 1970 && year <= latestYear && QDate(year, name.month, name.day).isValid())
                return year;
        }
        i = end;
    }
    return std::nullopt;
}

} // namespace

WallClock storedArrival(QStringView fileName, QByteArrayView stampLine, qint64 modifiedMs)
{
    const auto modified = [modifiedMs] {
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(modifiedMs);
        return WallClock{local.date(), local.time()};
    };
    const std::optional<NameTime> name = nameTime(fileName);
    if (!name)
        return modified();
    // The year in universal time is near enough for a bound, and saves the time-zone lookup
    // that most files never need.
    constexpr qint64 kMsPerDay = 24 * 60 * 60 * 1000;
    const QDate modifiedUtc = QDate(1970, 1, 1).addDays(modifiedMs / kMsPerDay);
    if (const std::optional<int> year = stampYear(stampLine, *name, modifiedUtc.year() + 1))
        return {QDate(*year, name->month, name->day), name->time};

    // The file was written when the message arrived, or copied later: the arrival lies before
    // its modification, in the same year or one before. A day of slack allows for a clock
    // moved back since.
    const WallClock written = modified();
    const QDateTime latest = QDateTime(written.date, written.time).addDays(1);
    for (int year = written.date.year(); year > written.date.year() - 8; --year) {
        const QDate date(year, name->month, name->day);
        if (date.isValid() && QDateTime(date, name->time) <= latest)
            return {date, name->time};
    }
    return written;
}

} // namespace tq
