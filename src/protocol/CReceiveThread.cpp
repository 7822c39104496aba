#include "protocol/CReceiveThread.h"

#include "platform/UniqueFd.h"
#include "protocol/SocketErrors.h"
#include "protocol/StreamPacketReader.h"
#include "res/StringTable.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <list>
#include <vector>

namespace tq {
namespace {

using Clock = std::chrono::steady_clock;
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

struct Connection {
    UniqueFd fd;
    QByteArray peerIp;
    StreamPacketReader reader;
    Clock::time_point readDeadline;
    Clock::time_point quietDeadline; // meaningful while the reader says CompleteIfQuiet
    bool draining = false;
    Clock::time_point drainLimit;

    Clock::time_point nextDeadline() const
    {
        if (!draining && reader.state() == StreamPacketReader::State::CompleteIfQuiet)
            return std::min(readDeadline, quietDeadline);
        return readDeadline;
    }
};

QByteArray dottedAddress(const sockaddr_in &address)
{
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return QByteArray(text);
}

class ListenerLoop {
public:
    ListenerLoop(CReceiveThread &owner, int listenFd, int wakeFd)
        : m_owner(owner)
        , m_listenFd(listenFd)
        , m_wakeFd(wakeFd)
    {
    }

    void run()
    {
        std::vector<pollfd> fds;
        std::vector<Connection *> polled;
        while (true) {
            fds.clear();
            polled.clear();
            fds.push_back({m_wakeFd, POLLIN, 0});
            const bool accepting = activeCount() < CReceiveThread::kMaxConnections && Clock::now() >= m_acceptResume;
            if (accepting)
                fds.push_back({m_listenFd, POLLIN, 0});
            for (Connection &connection : m_connections) {
                fds.push_back({connection.fd.get(), POLLIN, 0});
                polled.push_back(&connection);
            }
            const int ready = ::poll(fds.data(), fds.size(), pollTimeoutMs());
            if (ready < 0 && errno != EINTR)
                return;
            if (fds[0].revents & POLLIN)
                return;
            const std::size_t firstConnection = accepting ? 2 : 1;
            for (std::size_t i = firstConnection; i < fds.size(); ++i) {
                if (fds[i].revents & (POLLIN | POLLHUP | POLLERR))
                    service(*polled[i - firstConnection]);
            }
            expireDeadlines();
            removeClosed();
            if (accepting && (fds[1].revents & POLLIN))
                acceptNew();
        }
    }

private:
    int activeCount() const { return static_cast<int>(m_connections.size()); }

    int pollTimeoutMs() const
    {
        std::optional<Clock::time_point> next;
        for (const Connection &connection : m_connections) {
            const auto deadline = connection.nextDeadline();
            if (!next || deadline < *next)
                next = deadline;
        }
        if (Clock::now() < m_acceptResume && (!next || m_acceptResume < *next))
            next = m_acceptResume;
        if (!next)
            return -1;
        const auto wait = std::chrono::ceil<milliseconds>(*next - Clock::now()).count();
        return static_cast<int>(std::max<long long>(0, wait));
    }

    void acceptNew()
    {
        while (activeCount() < CReceiveThread::kMaxConnections) {
            sockaddr_in peer{};
            socklen_t peerLength = sizeof peer;
            const int fd = ::accept4(m_listenFd, reinterpret_cast<sockaddr *>(&peer), &peerLength,
                                     SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) {
                if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                    m_acceptResume = Clock::now() + kAcceptBackoff;
                return; // EAGAIN: nothing more waiting; other errors: accept again later
            }
            Connection &connection = m_connections.emplace_back();
            connection.fd.reset(fd);
            connection.peerIp = dottedAddress(peer);
            connection.readDeadline = Clock::now() + milliseconds(CReceiveThread::kReadTimeoutMs);
            // The packet often arrives together with the connection: read it without waiting.
            service(connection);
        }
        removeClosed();
    }

    // Reads what the connection has, 256 bytes at a time, until it would block or the packet ends.
    void service(Connection &connection)
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
                connection.quietDeadline = Clock::now() + milliseconds(CReceiveThread::kQuietEndMs);
                break;
            case StreamPacketReader::State::Reading:
                break;
            }
        }
    }

    void expireDeadlines()
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

    // Hands the packet on, answers with the kept length and closes (or drains a cut peer).
    void finish(Connection &connection)
    {
        const QByteArray text = connection.reader.text();
        if (!text.isEmpty()) {
            ReceivedData data{static_cast<quint32>(text.size()), connection.peerIp, text};
            Q_EMIT m_owner.incomingMessage(Transport::Tcp, data);
        }
        const QByteArray answer = QByteArray::number(text.size());
        [[maybe_unused]] const auto sent = ::send(connection.fd.get(), answer.constData(), answer.size(), MSG_NOSIGNAL);
        if (connection.reader.wasCut()) {
            ::shutdown(connection.fd.get(), SHUT_WR);
            connection.draining = true;
            connection.drainLimit = Clock::now() + kDrainLimit;
            connection.readDeadline = Clock::now() + kDrainQuiet;
        } else {
            connection.fd.reset();
        }
    }

    void removeClosed()
    {
        m_connections.remove_if([](const Connection &connection) { return !connection.fd.valid(); });
    }

    CReceiveThread &m_owner;
    const int m_listenFd;
    const int m_wakeFd;
    std::list<Connection> m_connections;
    Clock::time_point m_acceptResume{};
};

} // namespace

CReceiveThread::CReceiveThread(int port, QObject *parent)
    : QObject(parent)
    , m_port(port)
{
}

CReceiveThread::~CReceiveThread()
{
    stop();
}

void CReceiveThread::start()
{
    if (!m_thread.joinable())
        m_thread = std::jthread([this] { run(); });
}

void CReceiveThread::stop()
{
    if (!m_thread.joinable())
        return;
    m_wakeup.signal();
    m_thread.join();
}

void CReceiveThread::run()
{
    const auto fail = [this](int error, SocketStage stage) {
        if (const auto message = startupFailureMessage(error, stage))
            Q_EMIT criticalError(tqString(*message));
    };

    UniqueFd listenFd(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!listenFd.valid()) {
        fail(errno, SocketStage::Create);
        return;
    }
    // Connections this listener closed linger in TIME_WAIT; without this a restart of the
    // listener (new preferences, resume) would find its own port busy for a minute.
    const int yes = 1;
    ::setsockopt(listenFd.get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(static_cast<uint16_t>(m_port));
    // A port another program holds is refused at the bind, or, when that program shares it
    // by SO_REUSEADDR and starts listening just after our bind, at the listen: busy either way.
    const auto refused = [&](SocketStage stage) {
        const int error = errno;
        if (isPortBusyError(error))
            Q_EMIT sendResult(3, tqFormat(Sid::TcpPortFormat, m_port));
        else
            fail(error, stage);
    };
    if (::bind(listenFd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        refused(SocketStage::Bind);
        return;
    }
    if (m_betweenBindAndListen)
        m_betweenBindAndListen();
    if (::listen(listenFd.get(), kListenBacklog) != 0) {
        refused(SocketStage::Listen);
        return;
    }
    socklen_t length = sizeof address;
    ::getsockname(listenFd.get(), reinterpret_cast<sockaddr *>(&address), &length);
    m_boundPort = ntohs(address.sin_port);
    Q_EMIT sendResult(2, tqFormat(Sid::TcpPortFormat, m_boundPort.load()));

    ListenerLoop(*this, listenFd.get(), m_wakeup.fd()).run();
}

} // namespace tq
