#include "protocol/CUdpSendWorker.h"

#include "protocol/SendLedger.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace tq {

CUdpSendWorker::CUdpSendWorker(SendLedger &task, const SendEvents &events, const HostResolver &resolver,
                               std::optional<int> index, QString host, int port, const QByteArray &datagram)
    : CSocketThread(task, events, resolver, index, std::move(host), port)
    , m_datagram(datagram)
{
}

CUdpSendWorker::~CUdpSendWorker()
{
    join();
}

void CUdpSendWorker::run()
{
    m_socket.reset(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!m_socket.valid())
        return;
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    if (::bind(m_socket.get(), reinterpret_cast<const sockaddr *>(&any), sizeof any) != 0)
        return;

    showStatus(Sid::StatusContacting);
    const auto target = resolveTarget();
    if (!target || !m_task.isOpen())
        return;

    showStatus(Sid::StatusSending);
    const int yes = 1;
    ::setsockopt(m_socket.get(), SOL_SOCKET, SO_BROADCAST, &yes, sizeof yes);
    while (true) {
        const ssize_t sent = ::sendto(m_socket.get(), m_datagram.constData(), m_datagram.size(), MSG_NOSIGNAL,
                                      reinterpret_cast<const sockaddr *>(&*target), sizeof *target);
        if (sent >= 0) {
            if (m_index)
                m_task.markDelivered(*m_index);
            return;
        }
        if (errno == EINTR)
            continue;
        if ((errno != EAGAIN && errno != EWOULDBLOCK) || !waitFor(m_socket.get(), POLLOUT))
            return;
    }
}

} // namespace tq
