#include "protocol/CTcpSendWorker.h"

#include "protocol/SendLedger.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#include <limits>

namespace tq {

CTcpSendWorker::CTcpSendWorker(SendLedger &ledger, const SendEvents &events, const HostResolver &resolver,
                               std::optional<int> index, QString host, int port, const QByteArray &streamPacket)
    : SendExchange(ledger, events, resolver, index, std::move(host), port)
    , m_packet(streamPacket)
{
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

int CTcpSendWorker::createSocket()
{
    return ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

void CTcpSendWorker::addressKnown(const sockaddr_in &target)
{
    if (::connect(m_socket.get(), reinterpret_cast<const sockaddr *>(&target), sizeof target) == 0) {
        connected();
    } else if (errno == EINPROGRESS || errno == EINTR) {
        m_step = Step::Connecting;
        waitForSocket(POLLOUT);
    } else {
        end();
    }
}

void CTcpSendWorker::socketReady(short)
{
    switch (m_step) {
    case Step::Connecting: {
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(m_socket.get(), SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
            connected();
        else
            end();
        return;
    }
    case Step::Sending:
        sendPieces();
        return;
    case Step::Verifying:
        readAnswer();
        return;
    }
}

void CTcpSendWorker::connected()
{
    if (!m_ledger.isOpen()) {
        end();
        return;
    }
    showStatus(events().sending);
    m_step = Step::Sending;
    sendPieces();
}

void CTcpSendWorker::sendPieces()
{
    while (m_sent < m_packet.size()) {
        const auto piece = std::min<qsizetype>(kPieceSize, m_packet.size() - m_sent);
        const ssize_t sent = ::send(m_socket.get(), m_packet.constData() + m_sent, piece, MSG_NOSIGNAL);
        if (sent > 0) {
            m_sent += sent;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            waitForSocket(POLLOUT);
            return;
        } else if (!(sent < 0 && errno == EINTR)) {
            break; // the answer, or its absence, tells the rest
        }
    }
    showStatus(events().verifying);
    m_step = Step::Verifying;
    waitForSocket(POLLIN);
}

void CTcpSendWorker::readAnswer()
{
    char answer[kAnswerSize];
    ssize_t count;
    do
        count = ::recv(m_socket.get(), answer, sizeof answer, 0);
    while (count < 0 && errno == EINTR);
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return; // woken without data: keep waiting
    // A peer that closed without a word reads as 0, which is never the length sent.
    if (count >= 0 && answeredLength(QByteArrayView(answer, count)) == m_packet.size()) {
        if (m_index)
            m_ledger.markDelivered(*m_index);
        showStatusOnly(events().delivered);
    } else {
        showStatusOnly(events().possibleError);
        if (m_index)
            report(SendResultCode::LengthMismatch, host());
    }
    end();
}

} // namespace tq
