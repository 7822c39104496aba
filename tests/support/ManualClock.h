#pragma once

#include "platform/Clock.h"

namespace tq::test {

// A clock that moves only when the test says so.
class ManualClock : public Clock {
public:
    qint64 nowMs() const override { return now; }
    void advance(qint64 ms) { now += ms; }

    qint64 now = 1000000;
};

} // namespace tq::test
