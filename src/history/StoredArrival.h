#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QStringView>

namespace tq {

// A moment in local wall-clock time, as file names and arrival stamps give it.
struct WallClock {
    QDate date;
    QTime time;

    bool operator==(const WallClock &) const = default;
};

// When a stored message arrived, in local wall-clock time, from what its file tells:
// - the name gives month, day and time to the millisecond, but not the year;
// - the year is the one the arrival stamp (the first line of the text) names: its first run
//   of four digits that makes the date valid and lies no later than the year after the file
//   was last written (`modifiedMs`, milliseconds since the epoch);
// - a stamp that names no such year (another station's locale, a broken file) leaves the
//   latest year in which that moment is not after the file was last written;
// - a file whose name does not begin with a valid time arrived when it was last written.
WallClock storedArrival(QStringView fileName, QByteArrayView stampLine, qint64 modifiedMs);

} // namespace tq
