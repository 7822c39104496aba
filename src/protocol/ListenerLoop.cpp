#include "protocol/ListenerLoop.h"

#include "protocol/KeepTicket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

namespace tq {
namespace {

using std::chrono::milliseconds;

// A peer whose packet was cut at the size cap is still sending. Its remaining bytes are read
// and dropped after the answer, so that closing the socket does not reset the connection
// before the peer has read the answer: until the peer closes, falls quiet for a second, or
// ten seconds have passed.
constexpr milliseconds kDrainQuiet{1000};
constexpr milliseconds kDrainLimit{10000};
// After accept() ran out of descriptors, the listening socket stays readable; wait a little
// instead of spinning.
constexpr milliseconds kAcceptBackoff{100};

QByteArray dottedAddress(const sockaddr_in &address)
{
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return QByteArray(text);
}

void answerLength(int fd, qsizetype length)
{
    const QByteArray answer = QByteArray::number(length);
    [[maybe_unused]] const auto sent = ::send(fd, answer.constData(), answer.size(), MSG_NOSIGNAL);
}

} // namespace

ListenerLoop::Clock::time_point ListenerLoop::Connection::nextDeadline() const
{
    if (!reading())
        return Clock::time_point::max();
    if (!draining && reader.state() == StreamPacketReader::State::CompleteIfQuiet)
        return std::min(readDeadline, quietDeadline);
    return readDeadline;
}

ListenerLoop::ListenerLoop(int listenFd, int wakeFd, PacketHandler handOn, std::shared_ptr<HandOverBound> bound)
    : m_listenFd(listenFd)
    , m_wakeFd(wakeFd)
    , m_handOn(std::move(handOn))
    , m_bound(std::move(bound))
{
}

void ListenerLoop::run()
{
    std::vector<pollfd> fds;
    std::vector<Connection *> polled;
    while (true) {
        fds.clear();
        polled.clear();
        fds.push_back({m_wakeFd, POLLIN, 0});
        fds.push_back({m_settled->fd(), POLLIN, 0});
        const auto now = Clock::now();
        // The bound is reached: nothing more is read until a held packet could be handed over.
        const bool blocked = anyHeld();
        const bool accepting = !blocked && now >= m_acceptResume && canTakeAnother(now);
        if (accepting)
            fds.push_back({m_listenFd, POLLIN, 0});
        for (Connection &connection : m_connections) {
            if (blocked || !connection.reading())
                continue;
            fds.push_back({connection.fd.get(), POLLIN, 0});
            polled.push_back(&connection);
        }
        const int ready = ::poll(fds.data(), fds.size(), pollTimeoutMs(now));
        if (ready < 0 && errno != EINTR)
            return;
        if (fds[0].revents & POLLIN)
            return;
        if (fds[1].revents & POLLIN)
            answerSettled();
        for (Connection &connection : m_connections) {
            if (connection.held)
                handOver(connection);
        }
        const std::size_t firstConnection = accepting ? 3 : 2;
        for (std::size_t i = firstConnection; i < fds.size(); ++i) {
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR))
                service(*polled[i - firstConnection]);
        }
        expireDeadlines();
        removeClosed();
        promoteWaiting();
        if (accepting && (fds[2].revents & POLLIN))
            acceptNew();
    }
}

int ListenerLoop::openCount() const
{
    return static_cast<int>(std::count_if(m_connections.begin(), m_connections.end(),
                                          [](const Connection &connection) { return connection.reading(); }));
}

int ListenerLoop::countFrom(std::uint32_t peer) const
{
    return static_cast<int>(
        std::count_if(m_connections.begin(), m_connections.end(), [peer](const Connection &connection) {
            return connection.fd.valid() && connection.reading() && connection.peer == peer;
        }));
}

ListenerLoop::Connection *ListenerLoop::quietest()
{
    Connection *found = nullptr;
    for (Connection &connection : m_connections) {
        if (connection.fd.valid() && connection.reading() && (!found || connection.lastHeard < found->lastHeard))
            found = &connection;
    }
    return found;
}

bool ListenerLoop::canTakeAnother(Clock::time_point now)
{
    if (openCount() < kMaxConnections)
        return true;
    const Connection *candidate = quietest();
    return candidate && candidate->lastHeard + milliseconds(kEvictQuietMs) <= now;
}

int ListenerLoop::pollTimeoutMs(Clock::time_point now)
{
    std::optional<Clock::time_point> next;
    const auto consider = [&next](Clock::time_point deadline) {
        if (!next || deadline < *next)
            next = deadline;
    };
    for (const Connection &connection : m_connections)
        consider(connection.nextDeadline());
    if (now < m_acceptResume)
        consider(m_acceptResume);
    if (anyHeld())
        consider(now + milliseconds(kBoundRetryMs));
    // Every place taken: look at the queue again when the quietest may make way.
    if (openCount() >= kMaxConnections) {
        if (const Connection *candidate = quietest())
            consider(candidate->lastHeard + milliseconds(kEvictQuietMs));
    }
    if (!next)
        return -1;
    const auto wait = std::chrono::ceil<milliseconds>(*next - now).count();
    return static_cast<int>(std::max<long long>(0, wait));
}

void ListenerLoop::acceptNew()
{
    while (canTakeAnother(Clock::now())) {
        sockaddr_in peer{};
        socklen_t peerLength = sizeof peer;
        UniqueFd fd(
            ::accept4(m_listenFd, reinterpret_cast<sockaddr *>(&peer), &peerLength, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!fd.valid()) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                m_acceptResume = Clock::now() + kAcceptBackoff;
            break; // EAGAIN: nothing more waiting; other errors: accept again later
        }
        if (countFrom(peer.sin_addr.s_addr) >= kMaxPerAddress) {
            if (waitingFrom(peer.sin_addr.s_addr) < kMaxWaitingPerAddress
                && static_cast<int>(m_waiting.size()) < kMaxWaiting)
                m_waiting.push_back({std::move(fd), peer, Clock::now()});
            else
                answerLength(fd.get(), 0);
            continue;
        }
        if (openCount() >= kMaxConnections) {
            evict(*quietest());
            removeClosed();
        }
        take(std::move(fd), peer);
    }
}

int ListenerLoop::waitingFrom(std::uint32_t peer) const
{
    return static_cast<int>(std::count_if(m_waiting.begin(), m_waiting.end(), [peer](const Waiting &waiting) {
        return waiting.peer.sin_addr.s_addr == peer;
    }));
}

void ListenerLoop::take(UniqueFd fd, const sockaddr_in &peer)
{
    const auto now = Clock::now();
    Connection &connection = m_connections.emplace_back();
    connection.fd = std::move(fd);
    connection.peer = peer.sin_addr.s_addr;
    connection.peerIp = dottedAddress(peer);
    connection.readDeadline = now + milliseconds(kReadTimeoutMs);
    connection.lastHeard = now;
    // The packet often arrives together with the connection: read it without waiting.
    service(connection);
    if (!connection.fd.valid())
        m_connections.pop_back();
}

void ListenerLoop::promoteWaiting()
{
    const auto now = Clock::now();
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        if (now - it->since > milliseconds(kReadTimeoutMs)) {
            answerLength(it->fd.get(), 0);
            it = m_waiting.erase(it);
        } else if (openCount() < kMaxConnections && countFrom(it->peer.sin_addr.s_addr) < kMaxPerAddress) {
            take(std::move(it->fd), it->peer);
            it = m_waiting.erase(it);
        } else {
            ++it;
        }
    }
}

// Reads what the connection has, 256 bytes at a time, until it would block or the packet ends.
void ListenerLoop::service(Connection &connection)
{
    if (!connection.fd.valid())
        return;
    char chunk[StreamPacketReader::kReadChunk];
    while (true) {
        const ssize_t count = ::recv(connection.fd.get(), chunk, sizeof chunk, 0);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (count > 0)
            connection.lastHeard = Clock::now();
        if (connection.draining) {
            if (count <= 0) {
                connection.fd.reset();
                return;
            }
            connection.readDeadline = std::min(Clock::now() + kDrainQuiet, connection.drainLimit);
            continue;
        }
        if (count <= 0) { // the peer closed, or the connection failed
            finish(connection);
            return;
        }
        switch (connection.reader.feed(QByteArrayView(chunk, count))) {
        case StreamPacketReader::State::Complete:
            finish(connection);
            return;
        case StreamPacketReader::State::CompleteIfQuiet:
            connection.quietDeadline = Clock::now() + milliseconds(kQuietEndMs);
            break;
        case StreamPacketReader::State::Reading:
            break;
        }
    }
}

void ListenerLoop::expireDeadlines()
{
    const auto now = Clock::now();
    for (Connection &connection : m_connections) {
        if (connection.fd.valid() && connection.nextDeadline() <= now) {
            if (connection.draining)
                connection.fd.reset();
            else
                finish(connection);
        }
    }
}

// The packet is read: an empty one is answered at once, any other is handed on and answered
// once it is kept.
void ListenerLoop::finish(Connection &connection)
{
    connection.keptLength = connection.reader.text().size();
    if (connection.keptLength == 0) {
        answerAndClose(connection);
        return;
    }
    connection.held = true;
    handOver(connection);
}

void ListenerLoop::handOver(Connection &connection)
{
    const QByteArray text = connection.reader.text();
    if (!m_bound->tryTake(text.size()))
        return;
    connection.held = false;
    connection.handedOver = true;
    connection.id = ++m_nextId;
    const auto settled = m_settled;
    const quint64 id = connection.id;
    auto ticket =
        std::make_shared<KeepTicket>(m_bound, text.size(), [settled, id](bool kept) { settled->add(id, kept); });
    m_handOn(ReceivedData{static_cast<quint32>(text.size()), connection.peerIp, text, std::move(ticket)});
}

bool ListenerLoop::anyHeld() const
{
    return std::any_of(m_connections.begin(), m_connections.end(),
                       [](const Connection &connection) { return connection.held; });
}

void ListenerLoop::answerSettled()
{
    for (const auto &[id, kept] : m_settled->take()) {
        const auto it = std::find_if(m_connections.begin(), m_connections.end(), [id](const Connection &connection) {
            return connection.handedOver && connection.id == id;
        });
        if (it == m_connections.end())
            continue;
        it->handedOver = false;
        // A packet nobody kept gets no length: its sender must not take it as arrived.
        if (kept)
            answerAndClose(*it);
        else
            it->fd.reset();
    }
    removeClosed();
}

// Answers with the kept length and closes (or drains a cut peer).
void ListenerLoop::answerAndClose(Connection &connection)
{
    answerLength(connection.fd.get(), connection.keptLength);
    if (connection.reader.wasCut()) {
        ::shutdown(connection.fd.get(), SHUT_WR);
        connection.draining = true;
        connection.drainLimit = Clock::now() + kDrainLimit;
        connection.readDeadline = Clock::now() + kDrainQuiet;
    } else {
        connection.fd.reset();
    }
}

// The place is needed by another sender: the connection ends as on a time-out.
void ListenerLoop::evict(Connection &connection)
{
    if (connection.draining)
        connection.fd.reset();
    else
        finish(connection);
}

void ListenerLoop::removeClosed()
{
    m_connections.remove_if([](const Connection &connection) { return !connection.fd.valid(); });
}

} // namespace tq
