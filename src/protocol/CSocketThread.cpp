#include "protocol/CSocketThread.h"

#include "protocol/HostResolver.h"
#include "protocol/SendLedger.h"

#include <netinet/in.h>
#include <poll.h>

#include <cerrno>

namespace tq {

CSocketThread::CSocketThread(SendLedger &task, const SendEvents &events, const HostResolver &resolver,
                             std::optional<int> index, QString host, int port)
    : m_task(task)
    , m_index(index)
    , m_events(events)
    , m_resolver(resolver)
    , m_host(std::move(host))
    , m_port(port)
{
}

CSocketThread::~CSocketThread()
{
    join();
}

void CSocketThread::start()
{
    m_thread = std::jthread([this] {
        run();
        m_socket.reset();
        m_task.workerEnded();
    });
}

void CSocketThread::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CSocketThread::showStatus(Sid text) const
{
    if (m_events.status)
        m_events.status(tqString(text) + m_host + QStringLiteral(" ..."));
}

void CSocketThread::showStatusOnly(Sid text) const
{
    if (m_events.status)
        m_events.status(tqString(text));
}

void CSocketThread::report(int code, const QString &text) const
{
    if (m_events.report)
        m_events.report(code, text);
}

std::optional<sockaddr_in> CSocketThread::resolveTarget() const
{
    const auto address = m_resolver.resolve(m_host.toUtf8(), m_task.deadline(), m_task.wakeFd());
    if (!address)
        return std::nullopt;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = *address;
    target.sin_port = htons(static_cast<uint16_t>(m_port));
    return target;
}

bool CSocketThread::waitFor(int fd, short events) const
{
    pollfd fds[2] = {{fd, events, 0}, {m_task.wakeFd(), POLLIN, 0}};
    while (true) {
        const auto left
            = std::chrono::ceil<std::chrono::milliseconds>(m_task.deadline() - SendLedger::Clock::now()).count();
        if (left <= 0)
            return false;
        const int ready = ::poll(fds, 2, static_cast<int>(std::min<long long>(left, 1 << 30)));
        if (ready < 0 && errno != EINTR)
            return false;
        if (fds[1].revents & POLLIN)
            return false;
        if (fds[0].revents != 0)
            return true;
    }
}

} // namespace tq
