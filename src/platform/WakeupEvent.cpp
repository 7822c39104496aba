#include "platform/WakeupEvent.h"

#include <poll.h>
#include <sys/eventfd.h>

#include <cstdint>

namespace tq {

WakeupEvent::WakeupEvent()
    : m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

void WakeupEvent::signal()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_fd.get(), &one, sizeof one);
}

bool WakeupEvent::isSignalled() const
{
    pollfd pfd{m_fd.get(), POLLIN, 0};
    return ::poll(&pfd, 1, 0) > 0 && (pfd.revents & POLLIN);
}

} // namespace tq
