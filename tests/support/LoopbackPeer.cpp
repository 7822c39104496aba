#include "support/LoopbackPeer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <future>
#include <thread>

namespace tq::test {
namespace {

sockaddr_in loopbackAddress(const char *host, int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    ::inet_pton(AF_INET, host, &address.sin_addr);
    return address;
}

// The lowest port the kernel hands out for outgoing connections; a port below it is never taken
// by another test's connection between the check here and the bind of the caller.
int firstEphemeralPort()
{
    QFile range(QStringLiteral("/proc/sys/net/ipv4/ip_local_port_range"));
    int low = 32768;
    if (range.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = range.readAll().simplified().split(' ');
        bool ok = false;
        const int value = fields.value(0).toInt(&ok);
        if (ok && value > 12000)
            low = value;
    }
    return low;
}

bool bindable(int type, int port)
{
    UniqueFd fd(::socket(AF_INET, type | SOCK_CLOEXEC, 0));
    const sockaddr_in address = loopbackAddress("127.0.0.1", port);
    return ::bind(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
}

// A free port, drawn at random below the ephemeral range so that tests running side by side
// rarely draw the same one and no outgoing connection takes it in the meantime.
int unusedPort(int type)
{
    const int high = firstEphemeralPort() - 1;
    const int low = high - 10000;
    for (int attempt = 0; attempt < 500; ++attempt) {
        const int port = static_cast<int>(QRandomGenerator::global()->bounded(low, high + 1));
        if (bindable(type, port))
            return port;
    }
    UniqueFd fd(::socket(AF_INET, type | SOCK_CLOEXEC, 0));
    const sockaddr_in address = loopbackAddress("127.0.0.1", 0);
    ::bind(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address);
    return boundPort(fd.get());
}

} // namespace

UniqueFd connectLoopback(int port, const char *host, int timeoutMs)
{
    UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    const sockaddr_in address = loopbackAddress(host, port);
    if (::connect(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        if (errno != EINPROGRESS)
            return {};
        pollfd pfd{fd.get(), POLLOUT, 0};
        int error = 0;
        socklen_t length = sizeof error;
        if (::poll(&pfd, 1, timeoutMs) != 1 || ::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0
            || error != 0)
            return {};
    }
    // The rest of the exchange is blocking.
    ::fcntl(fd.get(), F_SETFL, 0);
    return fd;
}

bool sendAll(int fd, QByteArrayView data, int pieceSize, int pauseMs)
{
    qsizetype offset = 0;
    while (offset < data.size()) {
        const qsizetype left = data.size() - offset;
        const qsizetype piece = pieceSize > 0 ? std::min<qsizetype>(pieceSize, left) : left;
        const ssize_t sent = ::send(fd, data.data() + offset, piece, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        offset += sent;
        if (pauseMs > 0 && offset < data.size())
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
    return true;
}

QByteArray readUntilClosed(int fd, int timeoutMs)
{
    QByteArray result;
    const QDeadlineTimer deadline(timeoutMs);
    pollfd pfd{fd, POLLIN, 0};
    char buffer[4096];
    ssize_t count = 0;
    while (!deadline.hasExpired() && ::poll(&pfd, 1, static_cast<int>(deadline.remainingTime())) > 0
           && (count = ::recv(fd, buffer, sizeof buffer, 0)) > 0)
        result.append(buffer, count);
    return result;
}

QByteArray exchangeStreamPacket(int port, QByteArrayView packet, int pieceSize)
{
    UniqueFd fd = connectLoopback(port);
    if (!fd.valid() || !sendAll(fd.get(), packet, pieceSize, pieceSize > 0 ? 2 : 0))
        return QByteArray("<no connection>");
    return readUntilClosed(fd.get());
}

UniqueFd connectFrom(const char *sourceIp, int port)
{
    UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_in source = loopbackAddress(sourceIp, 0);
    const sockaddr_in target = loopbackAddress("127.0.0.1", port);
    if (::bind(fd.get(), reinterpret_cast<const sockaddr *>(&source), sizeof source) != 0
        || ::connect(fd.get(), reinterpret_cast<const sockaddr *>(&target), sizeof target) != 0)
        return {};
    return fd;
}

QByteArray exchangeStreamPacketFrom(const char *sourceIp, int port, QByteArrayView packet)
{
    const UniqueFd fd = connectFrom(sourceIp, port);
    if (!fd.valid() || !sendAll(fd.get(), packet))
        return QByteArray("<no connection>");
    return readUntilClosed(fd.get());
}

UniqueFd udpSocket(const char *ip, int port)
{
    UniqueFd fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    const sockaddr_in address = loopbackAddress(ip, port);
    if (::bind(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return {};
    return fd;
}

int boundPort(int fd)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    return ntohs(address.sin_port);
}

bool sendDatagram(int fd, int port, QByteArrayView datagram, const char *host)
{
    const sockaddr_in target = loopbackAddress(host, port);
    return ::sendto(fd, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr *>(&target), sizeof target)
        == datagram.size();
}

QByteArray receiveDatagram(int fd, int timeoutMs)
{
    pollfd pfd{fd, POLLIN, 0};
    if (::poll(&pfd, 1, timeoutMs) <= 0)
        return {};
    QByteArray buffer(65536, Qt::Uninitialized);
    const ssize_t count = ::recv(fd, buffer.data(), buffer.size(), 0);
    return count < 0 ? QByteArray() : buffer.first(count);
}

int unusedTcpPort()
{
    return unusedPort(SOCK_STREAM);
}

int unusedUdpPort()
{
    return unusedPort(SOCK_DGRAM);
}

namespace {

template <typename Call>
QByteArray servingEvents(Call call)
{
    std::future<QByteArray> result = std::async(std::launch::async, std::move(call));
    while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return result.get();
}

} // namespace

QByteArray exchangeServingEvents(const char *sourceIp, int port, QByteArrayView packet)
{
    const QByteArray copy = packet.toByteArray();
    return servingEvents([sourceIp, port, copy] { return exchangeStreamPacketFrom(sourceIp, port, copy); });
}

QByteArray receiveDatagramServingEvents(int fd, int timeoutMs)
{
    return servingEvents([fd, timeoutMs] { return receiveDatagram(fd, timeoutMs); });
}

} // namespace tq::test
