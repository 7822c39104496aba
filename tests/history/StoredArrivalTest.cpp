#include "history/StoredArrival.h"

#include "support/QtPrinters.h"

#include <ostream>

#include <gtest/gtest.h>

namespace tq {

void PrintTo(const WallClock &clock, std::ostream *out)
{
    *out << QDateTime(clock.date, clock.time).toString(Qt::ISODateWithMs).toStdString();
}

namespace {

qint64 msAt(int year, int month, int day, int hour = 12)
{
    return QDateTime(QDate(year, month, day), QTime(hour, 0)).toMSecsSinceEpoch();
}

TEST(StoredArrival, TheNameGivesTheMomentAndTheStampOrTheFileTimeTheYear)
{
    struct Case {
        const char *name;
        const char *stamp;
        qint64 modified;
        WallClock expected;
    };
    const QTime nineThirty(9, 30, 0, 123);
    const Case cases[] = {
        {"0105093000123ANN.tqm", "Friday, 5 January 2024, 09:30:00\r\n", msAt(2025, 4, 1), {{2024, 1, 5}, nineThirty}},
        {"0105093000123ANN.tqm", "05.01.2024, 09:30:00", msAt(2024, 1, 5), {{2024, 1, 5}, nineThirty}},
        {"0105093000123ANN.tqm",
         "2024\xE5\xB9\xB4"
         "1\xE6\x9C\x88"
         "5\xE6\x97\xA5, 9:30:00",
         msAt(2024, 1, 5),
         {{2024, 1, 5}, nineThirty}},
        // No year in the stamp: the last time the date came round before the file was written.
        {"1231235959000ANN.tqm", "Sunday, 31 December, 23:59:59", msAt(2024, 1, 2), {{2023, 12, 31}, {23, 59, 59}}},
        {"0105093000123ANN.tqm", "", msAt(2024, 8, 1), {{2024, 1, 5}, nineThirty}},
        {"0229100000000LEAP.tqm", "", msAt(2023, 6, 1), {{2020, 2, 29}, {10, 0}}},
        // A year that cannot be the arrival's is no year: a number in a message without stamp.
        {"0105093000123ANN.tqm", "Order 1234 is ready", msAt(2024, 8, 1), {{2024, 1, 5}, nineThirty}},
        {"0105093000123ANN.tqm", "See you in 2031", msAt(2024, 8, 1), {{2024, 1, 5}, nineThirty}},
        {"0229100000000LEAP.tqm", "Tuesday, 29 February 2023", msAt(2025, 3, 1), {{2024, 2, 29}, {10, 0}}},
        // A name that holds no arrival: when the file was written.
        {"notes.tqm", "Friday, 5 January 2024", msAt(2024, 8, 1), {{2024, 8, 1}, {12, 0}}},
        {"1305093000123ANN.tqm", "5 January 2024", msAt(2024, 8, 1), {{2024, 8, 1}, {12, 0}}},
        {"0105246000123ANN.tqm", "5 January 2024", msAt(2024, 8, 1), {{2024, 8, 1}, {12, 0}}},
        {"0105", "5 January 2024", msAt(2024, 8, 1), {{2024, 8, 1}, {12, 0}}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(storedArrival(QString::fromUtf8(c.name), QByteArrayView(c.stamp), c.modified), c.expected)
            << c.name << " / " << c.stamp;
    }
}

} // namespace
} // namespace tq
