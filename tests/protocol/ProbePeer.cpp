#include "ProbePeer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <vector>

namespace tq::test {
namespace {

struct Connection {
    UniqueFd fd;
    QByteArray read;
    bool answered = false;
};

// Forgets connections the prober has already closed, without taking their data.
void dropClosed(std::vector<std::unique_ptr<Connection>> &connections)
{
    for (auto &connection : connections) {
        char byte;
        const ssize_t count = ::recv(connection->fd.get(), &byte, 1, MSG_DONTWAIT | MSG_PEEK);
        if (count == 0 || (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK))
            connection->fd.reset();
    }
    std::erase_if(connections, [](const auto &connection) { return !connection->fd.valid(); });
}

} // namespace

ProbePeer::ProbePeer(Script script, const char *address, int port)
    : m_script(std::move(script))
    , m_listener(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0))
{
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<uint16_t>(port));
    ::inet_pton(AF_INET, address, &local.sin_addr);
    const int yes = 1;
    ::setsockopt(m_listener.get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (::bind(m_listener.get(), reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0
        || ::listen(m_listener.get(), 128) != 0) {
        m_listener.reset();
        return;
    }
    socklen_t length = sizeof local;
    ::getsockname(m_listener.get(), reinterpret_cast<sockaddr *>(&local), &length);
    m_port = ntohs(local.sin_port);
    m_thread = std::thread([this] { run(); });
}

ProbePeer::~ProbePeer()
{
    m_wakeup.signal();
    if (m_thread.joinable())
        m_thread.join();
}

QList<QByteArray> ProbePeer::received() const
{
    const std::lock_guard lock(m_mutex);
    return m_received;
}

void ProbePeer::run()
{
    std::vector<std::unique_ptr<Connection>> connections;
    std::vector<pollfd> fds;
    while (true) {
        fds.clear();
        fds.push_back({m_wakeup.fd(), POLLIN, 0});
        fds.push_back({m_listener.get(), POLLIN, 0});
        for (const auto &connection : connections)
            fds.push_back({connection->fd.get(), POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0)
            continue;
        if (fds[0].revents)
            return;
        for (std::size_t i = 0; i < connections.size(); ++i) {
            if (!fds[i + 2].revents)
                continue;
            Connection &connection = *connections[i];
            char buffer[256];
            const ssize_t count = ::recv(connection.fd.get(), buffer, sizeof buffer, MSG_DONTWAIT);
            if (count <= 0) { // the prober let go
                connection.fd.reset();
                continue;
            }
            connection.read.append(buffer, count);
            if (connection.answered || !connection.read.endsWith("/$7"))
                continue;
            connection.answered = true;
            {
                const std::lock_guard lock(m_mutex);
                m_received.append(connection.read);
            }
            for (qsizetype piece = 0; piece < m_script.answer.size(); ++piece) {
                if (piece > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(m_script.pauseMs));
                const QByteArray &bytes = m_script.answer[piece];
                ::send(connection.fd.get(), bytes.constData(), bytes.size(), MSG_NOSIGNAL);
            }
            if (m_script.closeAfterAnswer)
                connection.fd.reset();
        }
        std::erase_if(connections, [](const auto &connection) { return !connection->fd.valid(); });
        if (fds[1].revents) {
            int fd;
            while ((fd = ::accept4(m_listener.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0) {
                auto &connection = connections.emplace_back(std::make_unique<Connection>());
                connection->fd.reset(fd);
                ++m_connections;
                if (!m_script.greeting.isEmpty())
                    ::send(fd, m_script.greeting.constData(), m_script.greeting.size(), MSG_NOSIGNAL);
            }
        }
        // A prober closes one exchange before it opens the next: count only those still open.
        dropClosed(connections);
        const int open = static_cast<int>(connections.size());
        m_open = open;
        if (open > m_mostAtOnce.load())
            m_mostAtOnce = open;
    }
}

} // namespace tq::test
