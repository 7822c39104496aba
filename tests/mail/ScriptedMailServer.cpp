#include "mail/ScriptedMailServer.h"

#include "support/LoopbackPeer.h"

#include <QString>

#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace tq::test {

ScriptedMailServer::ScriptedMailServer(QByteArray greeting, Answer answer)
    : m_greeting(std::move(greeting))
    , m_answer(std::move(answer))
    , m_listen(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listen.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address);
    ::listen(m_listen.get(), 8);
    m_port = boundPort(m_listen.get());
    m_thread = std::jthread([this] { run(); });
}

ScriptedMailServer::Answer ScriptedMailServer::smtp(bool answerQuit, bool answerDataEnd)
{
    auto inData = std::make_shared<bool>(false);
    return [inData, answerQuit, answerDataEnd](const QByteArray &line) -> QByteArray {
        if (*inData) {
            *inData = line != ".\r\n";
            return *inData || !answerDataEnd ? QByteArray() : "250 queued\r\n";
        }
        *inData = line.startsWith("DATA");
        if (*inData)
            return "354 go ahead\r\n";
        if (line.startsWith("HELO"))
            return "250-pleased to meet you\r\n250 really\r\n";
        if (line.startsWith("QUIT"))
            return answerQuit ? "221 bye\r\n" : QByteArray();
        return "250 ok\r\n";
    };
}

ScriptedMailServer::~ScriptedMailServer()
{
    m_wakeup.signal();
}

QString ScriptedMailServer::serverText() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

QByteArrayList ScriptedMailServer::receivedLines() const
{
    const std::lock_guard lock(m_mutex);
    return m_lines;
}

int ScriptedMailServer::connectionCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_connections;
}

void ScriptedMailServer::run()
{
    while (true) {
        pollfd fds[2] = {{m_wakeup.fd(), POLLIN, 0}, {m_listen.get(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || (fds[0].revents & POLLIN))
            return;
        UniqueFd client(::accept4(m_listen.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (!client.valid())
            continue;
        {
            const std::lock_guard lock(m_mutex);
            ++m_connections;
        }
        serve(client.get());
    }
}

void ScriptedMailServer::serve(int fd)
{
    if (!m_greeting.isEmpty())
        ::send(fd, m_greeting.constData(), m_greeting.size(), MSG_NOSIGNAL);
    QByteArray buffer;
    while (true) {
        pollfd fds[2] = {{m_wakeup.fd(), POLLIN, 0}, {fd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || (fds[0].revents & POLLIN))
            return;
        char chunk[4096];
        const ssize_t count = ::recv(fd, chunk, sizeof chunk, 0);
        if (count <= 0)
            return;
        buffer.append(chunk, count);
        qsizetype end;
        while ((end = buffer.indexOf('\n')) >= 0) {
            const QByteArray line = buffer.left(end + 1);
            buffer.remove(0, end + 1);
            {
                const std::lock_guard lock(m_mutex);
                m_lines.append(line);
            }
            const QByteArray reply = m_answer ? m_answer(line) : QByteArray();
            if (!reply.isEmpty())
                ::send(fd, reply.constData(), reply.size(), MSG_NOSIGNAL);
        }
    }
}

} // namespace tq::test
