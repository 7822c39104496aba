#include "mail/MailSocket.h"

#include "mail/HostLookup.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

namespace tq {
namespace {

using Clock = std::chrono::steady_clock;

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
}

} // namespace

MailSocket::MailSocket(int wakeFd, std::chrono::milliseconds timeout)
    : m_wakeFd(wakeFd)
    , m_timeout(timeout)
{
}

bool MailSocket::create()
{
    m_fd.reset(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    m_pending.clear();
    m_state = m_fd.valid() ? State::Idle : State::Broken;
    return m_fd.valid();
}

bool MailSocket::connectTo(const MailServerAddress &address)
{
    if (!m_fd.valid() || m_state != State::Idle)
        return false;
    const HostLookupResult lookup = lookupIPv4(address.host, m_wakeFd, Clock::now() + m_timeout);
    switch (lookup.status) {
    case HostLookupResult::Status::Found:
        break;
    case HostLookupResult::Status::Cancelled:
        fail(Wait::Cancelled);
        return false;
    case HostLookupResult::Status::TimedOut:
        fail(Wait::TimedOut);
        return false;
    case HostLookupResult::Status::NotFound:
        fail(Wait::Failed);
        return false;
    }

    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr = lookup.address;
    peer.sin_port = htons(static_cast<uint16_t>(address.port));
    if (::connect(m_fd.get(), reinterpret_cast<const sockaddr *>(&peer), sizeof peer) != 0) {
        if (errno != EINPROGRESS) {
            fail(Wait::Failed);
            return false;
        }
        const Wait wait = waitFor(POLLOUT, Clock::now() + m_timeout);
        int error = 0;
        socklen_t length = sizeof error;
        if (wait == Wait::Ready && (::getsockopt(m_fd.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0))
            fail(Wait::Failed);
        else if (wait != Wait::Ready)
            fail(wait);
        if (m_state != State::Idle)
            return false;
    }
    m_state = State::Connected;
    return true;
}

void MailSocket::adopt(UniqueFd connected)
{
    m_fd = std::move(connected);
    m_pending.clear();
    m_state = m_fd.valid() ? State::Connected : State::Broken;
}

bool MailSocket::sendAll(QByteArrayView data)
{
    const auto deadline = Clock::now() + m_timeout;
    qsizetype offset = 0;
    while (usable() && offset < data.size()) {
        const ssize_t sent = ::send(m_fd.get(), data.data() + offset, data.size() - offset, MSG_NOSIGNAL);
        if (sent > 0) {
            offset += sent;
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const Wait wait = waitFor(POLLOUT, deadline);
            if (wait != Wait::Ready)
                fail(wait);
            continue;
        }
        fail(Wait::Failed);
    }
    return usable();
}

std::optional<QByteArray> MailSocket::readLine()
{
    const auto deadline = Clock::now() + m_timeout;
    QByteArray line;
    bool gotAny = false;
    const auto keep = [&line](QByteArrayView bytes) {
        line.append(bytes.first(std::min(bytes.size(), kMaxLineLength - line.size())));
    };
    while (true) {
        const qsizetype end = m_pending.indexOf('\n');
        if (end >= 0) {
            keep(QByteArrayView(m_pending).first(end + 1));
            m_pending.remove(0, end + 1);
            return line;
        }
        if (!m_pending.isEmpty()) {
            gotAny = true;
            keep(m_pending);
            m_pending.clear();
        }
        if (!usable())
            break;
        const Wait wait = waitFor(POLLIN, deadline);
        if (wait != Wait::Ready) {
            fail(wait);
            break;
        }
        char chunk[kMaxLineLength];
        const ssize_t count = ::recv(m_fd.get(), chunk, sizeof chunk, 0);
        if (count > 0)
            m_pending.append(chunk, count);
        else if (count == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK))
            fail(Wait::Failed);
    }
    if (gotAny)
        return line;
    return std::nullopt;
}

void MailSocket::close()
{
    m_fd.reset();
    m_pending.clear();
    if (m_state == State::Connected || m_state == State::Idle)
        m_state = State::Broken;
}

MailSocket::Wait MailSocket::waitFor(short events, Clock::time_point deadline)
{
    while (true) {
        pollfd fds[2] = {{m_wakeFd, POLLIN, 0}, {m_fd.get(), events, 0}};
        const int ready = ::poll(fds, 2, millisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return Wait::Failed;
        if (fds[0].revents & POLLIN)
            return Wait::Cancelled;
        if (fds[1].revents != 0)
            return Wait::Ready; // errors and hang-ups show in the call that follows
        if (Clock::now() >= deadline)
            return Wait::TimedOut;
    }
}

void MailSocket::fail(Wait why)
{
    switch (why) {
    case Wait::Cancelled:
        m_state = State::Cancelled;
        break;
    case Wait::TimedOut:
        m_state = State::TimedOut;
        break;
    case Wait::Ready:
    case Wait::Failed:
        m_state = State::Broken;
        break;
    }
}

} // namespace tq
