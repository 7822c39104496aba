#include "platform/Clock.h"

#include <chrono>

namespace tq {
namespace {

class SteadyClock : public Clock {
public:
    qint64 nowMs() const override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

} // namespace

const Clock &steadyClock()
{
    static const SteadyClock clock;
    return clock;
}

} // namespace tq
