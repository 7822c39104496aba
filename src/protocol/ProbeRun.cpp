#include "protocol/ProbeRun.h"

#include "protocol/ProbeExchange.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

namespace tq {
namespace {

using Clock = ProbeExchange::Clock;
using std::chrono::milliseconds;

// A reachable station whose host name is being looked up.
struct NameWait {
    ProbeResult result;
    std::shared_ptr<const ReverseNameLookup::Request> request;
    Clock::time_point deadline;
};

int pollTimeoutMs(const std::vector<std::unique_ptr<ProbeExchange>> &exchanges, const std::vector<NameWait> &names)
{
    std::optional<Clock::time_point> next;
    const auto consider = [&next](Clock::time_point deadline) {
        if (!next || deadline < *next)
            next = deadline;
    };
    for (const auto &exchange : exchanges)
        consider(exchange->deadline());
    for (const NameWait &name : names)
        consider(name.deadline);
    if (!next)
        return -1;
    const auto wait = std::chrono::ceil<milliseconds>(*next - Clock::now()).count();
    return static_cast<int>(std::max<long long>(0, wait));
}

} // namespace

ProbeRun::ProbeRun(QList<ProbeTarget> targets, ProbeOptions options)
    : m_targets(std::move(targets))
    , m_options(options)
{
    m_options.concurrency = std::max(1, m_options.concurrency);
}

bool ProbeRun::run(const ResultHandler &onResult, int wakeupFd)
{
    ReverseNameLookup names(m_nameLookup);
    std::vector<std::unique_ptr<ProbeExchange>> exchanges;
    std::vector<NameWait> nameWaits;
    std::vector<pollfd> fds;
    int concurrency = m_options.concurrency;
    qsizetype next = 0;

    const auto settle = [&](const ProbeExchange &exchange) {
        ProbeResult result = exchange.result();
        if (m_options.reverseLookup && result.outcome == ProbeOutcome::Reachable && exchange.address()) {
            nameWaits.push_back({std::move(result), names.request(*exchange.address()),
                                 Clock::now() + milliseconds(m_options.nameTimeoutMs)});
        } else {
            onResult(result);
        }
    };

    while (true) {
        while (static_cast<int>(exchanges.size()) < concurrency && next < m_targets.size()) {
            auto exchange = std::make_unique<ProbeExchange>(static_cast<int>(next), m_targets[next],
                                                            Clock::now() + milliseconds(m_options.timeoutMs));
            exchange->start(m_resolver);
            if (exchange->lackedDescriptor() && !exchanges.empty()) {
                // Out of descriptors: go on with fewer exchanges at once.
                concurrency = static_cast<int>(exchanges.size());
                break;
            }
            ++next;
            if (exchange->isDone())
                settle(*exchange);
            else
                exchanges.push_back(std::move(exchange));
        }
        if (exchanges.empty() && nameWaits.empty() && next >= m_targets.size())
            return true;

        fds.clear();
        fds.push_back({wakeupFd, POLLIN, 0});
        for (const auto &exchange : exchanges)
            fds.push_back(exchange->pollEntry());
        for (const NameWait &name : nameWaits)
            fds.push_back({name.request->fd(), POLLIN, 0});
        if (::poll(fds.data(), fds.size(), pollTimeoutMs(exchanges, nameWaits)) < 0) {
            // Out of memory, or more descriptors than the process may poll: nothing was
            // seen this round. Deadlines still pass, so the run still comes to its end.
            for (pollfd &fd : fds)
                fd.revents = 0;
            if (errno != EINTR)
                ::poll(nullptr, 0, 10);
        }
        if (fds[0].revents & POLLIN)
            return false;

        const auto now = Clock::now();
        for (std::size_t i = 0; i < exchanges.size(); ++i) {
            ProbeExchange &exchange = *exchanges[i];
            exchange.advance(fds[i + 1].revents);
            if (!exchange.isDone() && exchange.deadline() <= now)
                exchange.expire();
        }
        // Names are polled after the exchanges: their places in `fds` are still the ones of
        // this round.
        const std::size_t firstName = 1 + exchanges.size();
        for (std::size_t i = 0; i < nameWaits.size(); ++i) {
            NameWait &name = nameWaits[i];
            if ((fds[firstName + i].revents & POLLIN) || name.deadline <= now) {
                if (name.request->isDone())
                    name.result.hostName = name.request->name();
                onResult(name.result);
                name.request.reset();
            }
        }
        std::erase_if(nameWaits, [](const NameWait &name) { return !name.request; });

        for (auto &exchange : exchanges) {
            if (exchange->isDone()) {
                settle(*exchange);
                exchange.reset();
            }
        }
        std::erase_if(exchanges, [](const std::unique_ptr<ProbeExchange> &exchange) { return !exchange; });
    }
}

} // namespace tq
