#include "protocol/CUDPReceiveThread.h"

#include "platform/UniqueFd.h"
#include "protocol/HandOverBound.h"
#include "protocol/KeepTicket.h"
#include "protocol/SocketErrors.h"
#include "res/StringTable.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <vector>

namespace tq {
namespace {

// Datagrams read in one go before the wake-up is looked at again.
constexpr int kBatch = 64;

void enlargeReceiveBuffer(int fd, int bytes)
{
    // Beyond the system's limit only a privileged process may go; others get the limit.
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

} // namespace

CUDPReceiveThread::CUDPReceiveThread(int port, QObject *parent)
    : QObject(parent)
    , m_port(port)
{
}

CUDPReceiveThread::~CUDPReceiveThread()
{
    stop();
}

void CUDPReceiveThread::start()
{
    if (!m_thread.joinable())
        m_thread = std::jthread([this] { run(); });
}

void CUDPReceiveThread::stop()
{
    if (!m_thread.joinable())
        return;
    m_wakeup.signal();
    m_thread.join();
}

void CUDPReceiveThread::run()
{
    // Every failure to get the socket ready is reported as a creation failure.
    const auto fail = [this](int error) {
        if (const auto message = startupFailureMessage(error, SocketStage::Create))
            Q_EMIT criticalError(tqString(*message));
    };

    UniqueFd fd(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd.valid()) {
        fail(errno);
        return;
    }
    enlargeReceiveBuffer(fd.get(), kReceiveBufferBytes);
    int granted = 0;
    socklen_t grantedLength = sizeof granted;
    if (::getsockopt(fd.get(), SOL_SOCKET, SO_RCVBUF, &granted, &grantedLength) == 0)
        m_receiveBuffer = granted;

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(static_cast<uint16_t>(m_port));
    if (::bind(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        const int error = errno;
        if (isPortBusyError(error))
            Q_EMIT sendResult(SendResultCode::PortBusy, tqFormat(Sid::UdpPortFormat, m_port));
        else
            fail(error);
        return;
    }
    socklen_t length = sizeof address;
    ::getsockname(fd.get(), reinterpret_cast<sockaddr *>(&address), &length);
    m_boundPort = ntohs(address.sin_port);

    const std::shared_ptr<HandOverBound> bound = m_bound ? m_bound : std::make_shared<HandOverBound>();
    std::vector<char> buffer(kMaxDatagram);
    char senderText[INET_ADDRSTRLEN] = {};
    // Drops are told in runs: once the flood has been quiet for a moment, or every few
    // seconds while it lasts, not once for each datagram.
    quint64 unreported = 0;
    auto runStart = std::chrono::steady_clock::now();
    const auto report = [&] {
        if (unreported > 0)
            Q_EMIT datagramsDropped(std::exchange(unreported, 0));
    };
    while (true) {
        pollfd fds[2] = {{m_wakeup.fd(), POLLIN, 0}, {fd.get(), POLLIN, 0}};
        const int ready = ::poll(fds, 2, unreported > 0 ? kDropReportQuietMs : -1);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents & POLLIN) {
            report();
            return;
        }
        if (ready == 0)
            report();
        for (int i = 0; i < kBatch; ++i) {
            sockaddr_in peer{};
            socklen_t peerLength = sizeof peer;
            const ssize_t count =
                ::recvfrom(fd.get(), buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr *>(&peer), &peerLength);
            if (count < 0) {
                if (errno == EINTR)
                    continue;
                break; // nothing more waiting; any other error loses at most that datagram
            }
            if (count == 0)
                continue;
            // Read and dropped: left in the kernel it would only hold newer datagrams out.
            if (!bound->tryTake(count)) {
                const auto now = std::chrono::steady_clock::now();
                if (unreported++ == 0)
                    runStart = now;
                ++m_dropped;
                if (now - runStart >= std::chrono::milliseconds(kDropReportLongRunMs))
                    report();
                continue;
            }
            ::inet_ntop(AF_INET, &peer.sin_addr, senderText, sizeof senderText);
            // The receipt goes out from the handler once the message is kept; the ticket
            // only gives the place in the bound back.
            const ReceivedData data{static_cast<quint32>(count) + 1, QByteArray(senderText),
                                    QByteArray(buffer.data(), count),
                                    std::make_shared<KeepTicket>(bound, count, nullptr)};
            Q_EMIT incomingMessage(Transport::Udp, data);
        }
    }
}

} // namespace tq
