#include "queue/NetworkDeliverer.h"

#include "platform/WakeupEvent.h"
#include "protocol/CTcpSendWorker.h"
#include "protocol/Ipv4Range.h"
#include "protocol/MessagePacket.h"
#include "queue/QueuedMessage.h"
#include "queue/ReceiptBoard.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace tq {
namespace {

QString dottedText(std::uint32_t address)
{
    in_addr in{};
    in.s_addr = address;
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &in, text, sizeof text);
    return QString::fromLatin1(text);
}

sockaddr_in socketAddress(std::uint32_t address, int port)
{
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = address;
    target.sin_port = htons(static_cast<std::uint16_t>(port));
    return target;
}

int socketError(int fd)
{
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return errno;
    return error;
}

DeliveryOutcome outcomeOfConnectError(int error)
{
    return error == ECONNREFUSED ? DeliveryOutcome::Refused : DeliveryOutcome::NoAnswer;
}

} // namespace

NetworkDeliverer::NetworkDeliverer(std::shared_ptr<ReceiptBoard> receipts, HostResolver resolver)
    : m_receipts(std::move(receipts))
    , m_resolver(std::move(resolver))
{
}

DeliveryResult NetworkDeliverer::deliver(const QueuedMessage &entry, int budgetMs, const WakeupEvent &stop)
{
    const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(qMax(1, budgetMs));
    DeliveryResult result;
    if (entry.transport == SendTransport::Udp && !(m_receipts && m_receipts->isListening())) {
        result.outcome = DeliveryOutcome::NoReceiptListener;
        return result;
    }
    const std::optional<std::uint32_t> address = resolve(entry.host, deadline, stop, result);
    if (!address)
        return result;
    // A waiting message goes to one station, never to a whole network.
    if (!Ipv4Range::isStationAddress(ntohl(*address))) {
        result.outcome = DeliveryOutcome::UnknownHost;
        return result;
    }
    const QString dotted = dottedText(*address);
    result = entry.transport == SendTransport::Udp ? deliverDatagram(entry, *address, deadline, stop)
                                                   : deliverStream(entry, *address, deadline, stop);
    result.address = dotted;
    return result;
}

NetworkDeliverer::Wait NetworkDeliverer::waitFor(int fd, short events, Deadline deadline, const WakeupEvent &stop,
                                                 short *revents)
{
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return Wait::TimedOut;
        pollfd fds[2] = {{fd, events, 0}, {stop.fd(), POLLIN, 0}};
        const int ready = ::poll(fds, 2, static_cast<int>(qMin<qint64>(left.count() + 1, 60000)));
        if (ready < 0 && errno != EINTR)
            return Wait::TimedOut;
        if (fds[1].revents != 0)
            return Wait::Stopped;
        if (ready > 0 && fds[0].revents != 0) {
            if (revents)
                *revents = fds[0].revents;
            return Wait::Ready;
        }
    }
}

std::optional<std::uint32_t> NetworkDeliverer::resolve(const QString &host, Deadline deadline, const WakeupEvent &stop,
                                                       DeliveryResult &result) const
{
    HostLookup lookup = m_resolver.resolve(host.toUtf8());
    if (!lookup.isDone()) {
        const Wait wait = waitFor(lookup.fd(), POLLIN, deadline, stop);
        if (wait == Wait::Stopped) {
            result.outcome = DeliveryOutcome::Stopped;
            return std::nullopt;
        }
    }
    if (lookup.isDone() && lookup.address())
        return lookup.address();
    result.outcome = DeliveryOutcome::UnknownHost; // the late answer, if any, is thrown away
    return std::nullopt;
}

std::optional<DeliveryOutcome> NetworkDeliverer::connectStream(const UniqueFd &socket, std::uint32_t address, int port,
                                                               Deadline deadline, const WakeupEvent &stop)
{
    const sockaddr_in target = socketAddress(address, port);
    if (::connect(socket.get(), reinterpret_cast<const sockaddr *>(&target), sizeof target) == 0)
        return std::nullopt;
    if (errno != EINPROGRESS && errno != EINTR)
        return outcomeOfConnectError(errno);
    switch (waitFor(socket.get(), POLLOUT, deadline, stop)) {
    case Wait::Stopped:
        return DeliveryOutcome::Stopped;
    case Wait::TimedOut:
        return DeliveryOutcome::NoAnswer;
    case Wait::Ready:
        break;
    }
    const int error = socketError(socket.get());
    return error == 0 ? std::nullopt : std::optional(outcomeOfConnectError(error));
}

std::optional<DeliveryOutcome> NetworkDeliverer::sendStream(const UniqueFd &socket, const QByteArray &packet,
                                                            Deadline deadline, const WakeupEvent &stop)
{
    qsizetype sent = 0;
    while (sent < packet.size()) {
        const auto piece = std::min<qsizetype>(CTcpSendWorker::kPieceSize, packet.size() - sent);
        const ssize_t count = ::send(socket.get(), packet.constData() + sent, static_cast<size_t>(piece), MSG_NOSIGNAL);
        if (count > 0) {
            sent += count;
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const Wait wait = waitFor(socket.get(), POLLOUT, deadline, stop);
            if (wait == Wait::Stopped)
                return DeliveryOutcome::Stopped;
            if (wait == Wait::TimedOut)
                return DeliveryOutcome::NoAnswer;
            continue;
        }
        return DeliveryOutcome::NoAnswer; // the station went away mid-message
    }
    return std::nullopt;
}

DeliveryResult NetworkDeliverer::deliverStream(const QueuedMessage &entry, std::uint32_t address, Deadline deadline,
                                               const WakeupEvent &stop) const
{
    DeliveryResult result;
    const UniqueFd socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.valid())
        return result; // no descriptor now: try again later
    if (const auto failed = connectStream(socket, address, entry.port, deadline, stop)) {
        result.outcome = *failed;
        return result;
    }
    if (const auto failed = sendStream(socket, entry.streamPacket, deadline, stop)) {
        result.outcome = *failed;
        return result;
    }
    // The station answers with the length it kept, in digits, and closes.
    QByteArray answer;
    while (answer.size() < CTcpSendWorker::kAnswerSize) {
        const Wait wait = waitFor(socket.get(), POLLIN, deadline, stop);
        if (wait == Wait::Stopped) {
            result.outcome = DeliveryOutcome::Stopped;
            return result;
        }
        if (wait == Wait::TimedOut)
            break;
        char buffer[CTcpSendWorker::kAnswerSize];
        const ssize_t count =
            ::recv(socket.get(), buffer, static_cast<size_t>(CTcpSendWorker::kAnswerSize - answer.size()), 0);
        if (count < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (count <= 0)
            break;
        answer.append(buffer, count);
    }
    if (answer.isEmpty())
        result.outcome = DeliveryOutcome::NoAnswer;
    else if (CTcpSendWorker::answeredLength(answer) == entry.streamPacket.size())
        result.outcome = DeliveryOutcome::Delivered;
    else
        result.outcome = DeliveryOutcome::AcceptedWithErrors;
    return result;
}

DeliveryResult NetworkDeliverer::deliverDatagram(const QueuedMessage &entry, std::uint32_t address, Deadline deadline,
                                                 const WakeupEvent &stop) const
{
    DeliveryResult result;
    const UniqueFd socket(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.valid())
        return result;
    // Connected, so that a port nobody listens on is reported back as refused.
    const sockaddr_in target = socketAddress(address, entry.port);
    if (::connect(socket.get(), reinterpret_cast<const sockaddr *>(&target), sizeof target) != 0) {
        result.outcome = outcomeOfConnectError(errno);
        return result;
    }
    const std::shared_ptr<ReceiptBoard::Wait> receipt =
        m_receipts->await(dottedText(address).toLatin1(), ParseDatagramPacket(entry.datagramPacket).text.size());
    const QByteArray &datagram = entry.datagramPacket;
    if (::send(socket.get(), datagram.constData(), static_cast<size_t>(datagram.size()), MSG_NOSIGNAL) < 0) {
        result.outcome = outcomeOfConnectError(errno);
        return result;
    }
    result.outcome = DeliveryOutcome::NoReceipt;
    while (!receipt->hasArrived()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return result;
        pollfd fds[3] = {{receipt->fd(), POLLIN, 0}, {socket.get(), POLLIN, 0}, {stop.fd(), POLLIN, 0}};
        if (::poll(fds, 3, static_cast<int>(qMin<qint64>(left.count() + 1, 60000))) < 0 && errno != EINTR)
            return result;
        if (fds[2].revents != 0 && !receipt->hasArrived()) {
            result.outcome = DeliveryOutcome::Stopped;
            return result;
        }
        if ((fds[1].revents & POLLERR) && socketError(socket.get()) == ECONNREFUSED) {
            result.outcome = DeliveryOutcome::Refused;
            return result;
        }
        if (fds[1].revents & POLLIN) {
            char discard[1];
            // Nobody answers on this socket; whatever came is not a receipt.
            static_cast<void>(::recv(socket.get(), discard, sizeof discard, 0));
        }
    }
    result.outcome = DeliveryOutcome::Delivered;
    return result;
}

} // namespace tq
