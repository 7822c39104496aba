#include "SendTestSupport.h"

#include "protocol/MessagePacket.h"
#include "support/SignalWaiter.h"

#include <QElapsedTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <list>

namespace tq::test {

SendOutcome runSend(SendRequest request, const SettingsStore &settings, SendServices services, int timeoutMs)
{
    SendOutcome outcome;
    CSendThread task(std::move(request), settings, std::move(services));
    QObject context;
    QObject::connect(&task, &CSendThread::sendResult, &context,
                     [&](SendResultCode code, const QString &text) { outcome.results.emplace_back(int(code), text); });
    QObject::connect(&task, &CSendThread::statusText, &context,
                     [&](const QString &text) { outcome.statuses.append(text); });
    QObject::connect(&task, &CSendThread::finished, &context, [&] { outcome.ended = true; });
    QElapsedTimer timer;
    timer.start();
    task.start();
    waitUntil([&] { return outcome.ended; }, timeoutMs);
    outcome.elapsedMs = timer.elapsed();
    return outcome;
}

SendRequest sendRequest(const QString &destinations, int tcpPort, int udpPort, int budgetMs)
{
    const MessagePacket packet{{}, "Message from Ann to Bob.\r\n\r\nHello", "ANN", '0', "ann@example.org"};
    SendRequest request;
    request.destinations = destinations;
    request.streamPacket = BuildStreamPacket(packet, "127.0.0.1", tcpPort);
    request.datagramPacket = BuildDatagramPacket(packet, "127.0.0.1", udpPort);
    request.plainText = "Hello";
    request.tcpPort = tcpPort;
    request.udpPort = udpPort;
    request.budgetMs = budgetMs;
    return request;
}

RawStation::RawStation(Mode mode, QByteArray answer)
    : m_mode(mode)
    , m_answer(std::move(answer))
    , m_listen(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0))
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listen.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address);
    ::listen(m_listen.get(), 1024);
    m_port = boundPort(m_listen.get());
    m_thread = std::thread([this] { run(); });
}

RawStation::~RawStation()
{
    m_wakeup.signal();
    m_thread.join();
}

void RawStation::run()
{
    struct Peer {
        UniqueFd fd;
        QByteArray data;
    };
    std::list<Peer> peers;
    while (true) {
        std::vector<pollfd> fds{{m_wakeup.fd(), POLLIN, 0}, {m_listen.get(), POLLIN, 0}};
        for (const Peer &peer : peers)
            fds.push_back({peer.fd.get(), POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0 || (fds[0].revents & POLLIN))
            return;
        auto peer = peers.begin();
        for (std::size_t i = 2; i < fds.size(); ++i, ++peer) {
            if (!fds[i].revents)
                continue;
            char buffer[4096];
            const ssize_t count = ::recv(peer->fd.get(), buffer, sizeof buffer, 0);
            if (count > 0)
                peer->data.append(buffer, count);
            const bool complete = count <= 0 || peer->data.endsWith("/$6/$7");
            if (!complete || m_mode == Mode::NeverAnswer)
                continue;
            if (m_mode == Mode::Answer)
                ::send(peer->fd.get(), m_answer.constData(), m_answer.size(), MSG_NOSIGNAL);
            peer->fd.reset();
        }
        peers.remove_if([](const Peer &p) { return !p.fd.valid(); });
        if (fds[1].revents & POLLIN) {
            int fd;
            while ((fd = ::accept4(m_listen.get(), nullptr, nullptr, SOCK_CLOEXEC)) >= 0) {
                ++m_accepted;
                peers.push_back({UniqueFd(fd), {}});
            }
        }
    }
}

} // namespace tq::test
