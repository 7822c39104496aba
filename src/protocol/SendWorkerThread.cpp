#include "protocol/SendWorkerThread.h"

#include "protocol/CSocketThread.h"
#include "protocol/SendLedger.h"

#include <poll.h>

#include <cerrno>
#include <memory>
#include <vector>

namespace tq {

SendWorkerThread::SendWorkerThread(SendLedger &task, int capacity)
    : m_task(task)
    , m_capacity(capacity)
{
}

SendWorkerThread::~SendWorkerThread()
{
    join();
}

void SendWorkerThread::start()
{
    m_thread = std::jthread([this] { drive(m_task, m_capacity); });
}

void SendWorkerThread::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void SendWorkerThread::drive(SendLedger &task, int capacity)
{
    std::vector<std::unique_ptr<CSocketThread>> active;
    std::vector<pollfd> fds;
    while (true) {
        while (static_cast<int>(active.size()) < capacity) {
            auto next = task.takeNext();
            if (!next)
                break;
            next->begin();
            if (next->hasEnded())
                task.exchangeEnded();
            else
                active.push_back(std::move(next));
        }
        if (active.empty())
            return; // nothing left to do, or stopped

        const auto left
            = std::chrono::ceil<std::chrono::milliseconds>(task.deadline() - SendLedger::Clock::now()).count();
        if (left <= 0)
            break;
        fds.clear();
        fds.push_back({task.wakeFd(), POLLIN, 0});
        for (const auto &exchange : active)
            fds.push_back(exchange->waitingFor());
        const int ready = ::poll(fds.data(), fds.size(), static_cast<int>(std::min<long long>(left, 1 << 30)));
        if (ready < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN)
            break;
        for (std::size_t i = 1; i < fds.size(); ++i) {
            if (fds[i].revents != 0)
                active[i - 1]->advance(fds[i].revents);
        }
        std::erase_if(active, [&](const std::unique_ptr<CSocketThread> &exchange) {
            if (!exchange->hasEnded())
                return false;
            task.exchangeEnded();
            return true;
        });
    }
    // Cut off by the deadline or a stop: what is still under way ends without a word.
    for (std::size_t i = 0; i < active.size(); ++i)
        task.exchangeEnded();
}

} // namespace tq
