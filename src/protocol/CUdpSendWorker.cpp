#include "protocol/CUdpSendWorker.h"

#include "protocol/SendLedger.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace tq {

CUdpSendWorker::CUdpSendWorker(SendLedger &ledger, const SendEvents &events, const HostResolver &resolver,
                               std::optional<int> index, QString host, int port, const QByteArray &datagram)
    : SendExchange(ledger, events, resolver, index, std::move(host), port)
    , m_datagram(datagram)
{
}

int CUdpSendWorker::createSocket()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    if (fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr *>(&any), sizeof any) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void CUdpSendWorker::addressKnown(const sockaddr_in &target)
{
    if (!m_ledger.isOpen()) {
        end();
        return;
    }
    showStatus(events().sending);
    const int yes = 1;
    ::setsockopt(m_socket.get(), SOL_SOCKET, SO_BROADCAST, &yes, sizeof yes);
    m_target = target;
    trySend();
}

void CUdpSendWorker::socketReady(short)
{
    trySend();
}

void CUdpSendWorker::trySend()
{
    ssize_t sent;
    do
        sent = ::sendto(m_socket.get(), m_datagram.constData(), m_datagram.size(), MSG_NOSIGNAL,
                        reinterpret_cast<const sockaddr *>(&m_target), sizeof m_target);
    while (sent < 0 && errno == EINTR);
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        waitForSocket(POLLOUT);
        return;
    }
    if (sent >= 0 && m_index)
        m_ledger.markDelivered(*m_index);
    end();
}

} // namespace tq
