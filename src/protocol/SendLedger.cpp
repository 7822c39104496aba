#include "protocol/SendLedger.h"

#include "protocol/SendExchange.h"

namespace tq {

SendLedger::SendLedger(Clock::time_point deadline)
    : m_deadline(deadline)
{
}

SendLedger::~SendLedger() = default;

int SendLedger::addPending(const QString &destination)
{
    const std::lock_guard lock(m_mutex);
    m_pending.push_back(destination);
    return static_cast<int>(m_pending.size()) - 1;
}

void SendLedger::enqueue(std::unique_ptr<SendExchange> exchange)
{
    const std::lock_guard lock(m_mutex);
    m_queue.push_back(std::move(exchange));
    ++m_unfinished;
}

int SendLedger::queuedCount() const
{
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(m_queue.size());
}

std::unique_ptr<SendExchange> SendLedger::takeNext()
{
    const std::lock_guard lock(m_mutex);
    if (m_queue.empty() || m_stopped || Clock::now() >= m_deadline)
        return nullptr;
    auto next = std::move(m_queue.front());
    m_queue.pop_front();
    return next;
}

void SendLedger::exchangeEnded()
{
    bool allEnded;
    {
        const std::lock_guard lock(m_mutex);
        allEnded = --m_unfinished == 0;
    }
    if (allEnded)
        m_changed.notify_all();
}

void SendLedger::waitForAll()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_until(lock, m_deadline, [&] { return m_stopped || m_unfinished == 0; });
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
