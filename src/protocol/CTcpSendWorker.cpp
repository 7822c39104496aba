#include "protocol/CTcpSendWorker.h"

#include "protocol/SendLedger.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <limits>

namespace tq {

CTcpSendWorker::CTcpSendWorker(SendLedger &task, const SendEvents &events, const HostResolver &resolver,
                               std::optional<int> index, QString host, int port, QByteArray streamPacket)
    : CSocketThread(task, events, resolver, index, std::move(host), port)
    , m_packet(std::move(streamPacket))
{
}

CTcpSendWorker::~CTcpSendWorker()
{
    join();
}

long long CTcpSendWorker::answeredLength(QByteArrayView answer)
{
    qsizetype i = 0;
    while (i < answer.size() && (answer[i] == ' ' || (answer[i] >= '\t' && answer[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < answer.size() && (answer[i] == '+' || answer[i] == '-'))
        negative = answer[i++] == '-';
    long long value = 0;
    for (; i < answer.size() && answer[i] >= '0' && answer[i] <= '9'; ++i) {
        if (value > std::numeric_limits<long long>::max() / 10 - 10)
            break;
        value = value * 10 + (answer[i] - '0');
    }
    return negative ? -value : value;
}

void CTcpSendWorker::run()
{
    m_socket.reset(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!m_socket.valid())
        return;
    showStatus(Sid::StatusContacting);
    const auto target = resolveTarget();
    if (!target || !connectTo(*target) || !m_task.isOpen())
        return;

    showStatus(Sid::StatusSending);
    if (!sendPacket())
        return;

    showStatus(Sid::StatusVerifying);
    if (!waitFor(m_socket.get(), POLLIN))
        return;
    char answer[kAnswerSize];
    ssize_t count;
    do
        count = ::recv(m_socket.get(), answer, sizeof answer, 0);
    while (count < 0 && errno == EINTR);
    judgeAnswer(count >= 0, QByteArrayView(answer, std::max<ssize_t>(count, 0)));
}

bool CTcpSendWorker::connectTo(const sockaddr_in &target)
{
    if (::connect(m_socket.get(), reinterpret_cast<const sockaddr *>(&target), sizeof target) == 0)
        return true;
    if (errno != EINPROGRESS && errno != EINTR)
        return false;
    if (!waitFor(m_socket.get(), POLLOUT))
        return false;
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(m_socket.get(), SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

bool CTcpSendWorker::sendPacket()
{
    qsizetype offset = 0;
    while (offset < m_packet.size()) {
        const auto piece = std::min<qsizetype>(kPieceSize, m_packet.size() - offset);
        const ssize_t sent = ::send(m_socket.get(), m_packet.constData() + offset, piece, MSG_NOSIGNAL);
        if (sent > 0) {
            offset += sent;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(m_socket.get(), POLLOUT))
                return false;
        } else if (!(sent < 0 && errno == EINTR)) {
            return true; // the answer, or its absence, tells the rest
        }
    }
    return true;
}

void CTcpSendWorker::judgeAnswer(bool received, QByteArrayView answer)
{
    // A peer that closed without a word reads as 0, which is never the length sent.
    if (received && answeredLength(answer) == m_packet.size()) {
        if (m_index)
            m_task.markDelivered(*m_index);
        showStatusOnly(Sid::StatusDelivered);
        return;
    }
    showStatusOnly(Sid::StatusPossibleError);
    if (m_index)
        report(4, host());
}

} // namespace tq
