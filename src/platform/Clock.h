#pragma once

#include <QtGlobal>

namespace tq {

// A monotonic millisecond clock, behind an interface so tests can move time on by hand.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary fixed point; never goes backwards.
    virtual qint64 nowMs() const = 0;
};

// The process's monotonic clock.
const Clock &steadyClock();

} // namespace tq
