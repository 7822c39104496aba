#include "protocol/SettledMessages.h"

#include <sys/eventfd.h>
#include <unistd.h>

namespace tq {

SettledMessages::SettledMessages()
    : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

void SettledMessages::add(quint64 id, bool kept)
{
    bool first = false;
    {
        const std::lock_guard lock(m_mutex);
        first = m_reports.empty();
        m_reports.emplace_back(id, kept);
    }
    if (first) {
        const eventfd_t one = 1;
        [[maybe_unused]] const auto written = ::write(m_fd.get(), &one, sizeof one);
    }
}

std::vector<std::pair<quint64, bool>> SettledMessages::take()
{
    eventfd_t count = 0;
    [[maybe_unused]] const auto read = ::read(m_fd.get(), &count, sizeof count);
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_reports, {});
}

} // namespace tq
