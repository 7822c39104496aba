#pragma once

#include <QDateTime>

#include <functional>

namespace tq {

// The date and time now, in UTC; tests move it on by hand. Queue times outlive the process,
// so they are wall-clock times, not the monotonic clock's.
using WallClock = std::function<QDateTime()>;

inline QDateTime systemWallClock()
{
    return QDateTime::currentDateTimeUtc();
}

} // namespace tq
