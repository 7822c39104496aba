#include "protocol/CReceiveThread.h"

#include "platform/UniqueFd.h"
#include "protocol/HandOverBound.h"
#include "protocol/ListenerLoop.h"
#include "protocol/SocketErrors.h"
#include "res/StringTable.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>

namespace tq {

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
            Q_EMIT sendResult(SendResultCode::PortBusy, tqFormat(Sid::TcpPortFormat, m_port));
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
    Q_EMIT sendResult(SendResultCode::Listening, tqFormat(Sid::TcpPortFormat, m_boundPort.load()));

    ListenerLoop(
        listenFd.get(), m_wakeup.fd(),
        [this](const ReceivedData &data) { Q_EMIT incomingMessage(Transport::Tcp, data); },
        m_bound ? m_bound : std::make_shared<HandOverBound>())
        .run();
}

} // namespace tq
