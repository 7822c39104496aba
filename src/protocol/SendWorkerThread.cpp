#include "protocol/SendWorkerThread.h"

#include "protocol/SendExchange.h"
#include "protocol/SendLedger.h"

#include <poll.h>

#include <cerrno>
#include <memory>
#include <vector>

namespace tq {

SendWorkerThread::SendWorkerThread(SendLedger &ledger, int capacity)
    : m_ledger(ledger)
    , m_capacity(capacity)
{
}

SendWorkerThread::~SendWorkerThread()
{
    join();
}

void SendWorkerThread::start()
{
    m_thread = std::jthread([this] { drive(m_ledger, m_capacity); });
}

void SendWorkerThread::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void SendWorkerThread::drive(SendLedger &ledger, int capacity)
{
    std::vector<std::unique_ptr<SendExchange>> active;
    std::vector<pollfd> fds;
    while (true) {
        while (static_cast<int>(active.size()) < capacity) {
            auto next = ledger.takeNext();
            if (!next)
                break;
            next->begin();
            if (next->hasEnded())
                ledger.exchangeEnded();
            else
                active.push_back(std::move(next));
        }
        if (active.empty())
            return; // nothing left to do, or stopped

        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(ledger.deadline() - SendLedger::Clock::now()).count();
        if (left <= 0)
            break;
        fds.clear();
        fds.push_back({ledger.wakeFd(), POLLIN, 0});
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
        std::erase_if(active, [&](const std::unique_ptr<SendExchange> &exchange) {
            if (!exchange->hasEnded())
                return false;
            ledger.exchangeEnded();
            return true;
        });
    }
    // Cut off by the deadline or a stop: what is still under way ends without a word.
    for (std::size_t i = 0; i < active.size(); ++i)
        ledger.exchangeEnded();
}

} // namespace tq
