#include "protocol/SendLedger.h"

namespace tq {

SendLedger::SendLedger(Clock::time_point deadline)
    : m_deadline(deadline)
{
}

int SendLedger::addPending(const QString &destination)
{
    const std::lock_guard lock(m_mutex);
    m_pending.push_back(destination);
    return static_cast<int>(m_pending.size()) - 1;
}

void SendLedger::workerStarting()
{
    const std::lock_guard lock(m_mutex);
    ++m_outstanding;
}

void SendLedger::workerEnded()
{
    {
        const std::lock_guard lock(m_mutex);
        --m_outstanding;
    }
    m_changed.notify_all();
}

bool SendLedger::waitForFewerThan(int limit)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_until(lock, m_deadline, [&] { return m_stopped || m_outstanding < limit; }) && !m_stopped;
}

void SendLedger::waitForAll()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_until(lock, m_deadline, [&] { return m_stopped || m_outstanding == 0; });
}

QStringList SendLedger::close()
{
    const std::lock_guard lock(m_mutex);
    m_open = false;
    QStringList left;
    for (const QString &entry : m_pending) {
        if (!entry.isEmpty())
            left.append(entry);
    }
    return left;
}

void SendLedger::stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_wakeup.signal();
    m_changed.notify_all();
}

bool SendLedger::isStopped() const
{
    const std::lock_guard lock(m_mutex);
    return m_stopped;
}

bool SendLedger::isOpen() const
{
    const std::lock_guard lock(m_mutex);
    return m_open && Clock::now() < m_deadline;
}

bool SendLedger::markDelivered(int index)
{
    const std::lock_guard lock(m_mutex);
    if (!m_open || index < 0 || index >= static_cast<int>(m_pending.size()))
        return false;
    m_pending[static_cast<std::size_t>(index)].clear();
    return true;
}

} // namespace tq
