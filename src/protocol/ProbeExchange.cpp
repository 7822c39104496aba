#include "protocol/ProbeExchange.h"

#include "protocol/CTcpSendWorker.h"
#include "protocol/Ipv4Range.h"
#include "protocol/MessagePacket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>

namespace tq {
namespace {

// A station answers with a few digits and closes; more than this is no station's answer.
constexpr qsizetype kLongestAnswer = CTcpSendWorker::kAnswerSize;

// The number in the answer is over once a byte that is no digit follows a digit: "22" may
// still become "220" (the greeting of a mail server), "22 " may not.
bool numberHasEnded(const QByteArray &answer)
{
    bool digitSeen = false;
    for (const char c : answer) {
        const bool digit = c >= '0' && c <= '9';
        if (digitSeen && !digit)
            return true;
        digitSeen = digitSeen || digit;
    }
    return false;
}

// Refused means a host is there and nobody listens on the port; unreachable hosts and
// networks, like silence, mean nothing answered at all.
ProbeOutcome outcomeOfConnectError(int error)
{
    return error == ECONNREFUSED ? ProbeOutcome::NoStation : ProbeOutcome::NoAnswer;
}

QString dotted(std::uint32_t address)
{
    in_addr in{};
    in.s_addr = address;
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &in, text, sizeof text);
    return QString::fromLatin1(text);
}

const QByteArray &thePacket()
{
    static const QByteArray packet = kProbeKeyword.toByteArray() + QByteArrayLiteral("/$7");
    return packet;
}

} // namespace

QByteArray ProbeExchange::probePacket()
{
    return thePacket();
}

ProbeExchange::ProbeExchange(int index, ProbeTarget target, Clock::time_point deadline)
    : m_index(index)
    , m_target(std::move(target))
    , m_deadline(deadline)
{
}

void ProbeExchange::start(const HostResolver &resolver)
{
    m_started = Clock::now();
    if (m_target.port < 1 || m_target.port > 65535) {
        finish(ProbeOutcome::NoStation); // nothing listens there
        return;
    }
    HostLookup lookup = resolver.resolve(m_target.host.toUtf8());
    if (!lookup.isDone()) {
        m_lookup = std::move(lookup);
        return;
    }
    if (const auto address = lookup.address())
        connectTo(*address);
    else
        finish(ProbeOutcome::UnknownHost);
}

pollfd ProbeExchange::pollEntry() const
{
    switch (m_step) {
    case Step::Resolving:
        return {m_lookup ? m_lookup->fd() : -1, POLLIN, 0};
    case Step::Connecting:
    case Step::Sending:
        return {m_socket.get(), POLLOUT, 0};
    case Step::Answering:
        return {m_socket.get(), POLLIN, 0};
    case Step::Done:
        break;
    }
    return {-1, 0, 0};
}

void ProbeExchange::advance(short revents)
{
    if (revents == 0)
        return;
    switch (m_step) {
    case Step::Resolving:
        if (m_lookup && m_lookup->isDone()) {
            const auto address = m_lookup->address();
            m_lookup.reset();
            if (address)
                connectTo(*address);
            else
                finish(ProbeOutcome::UnknownHost);
        }
        return;
    case Step::Connecting:
        checkConnected();
        return;
    case Step::Sending:
        sendProbe();
        return;
    case Step::Answering:
        readAnswer();
        return;
    case Step::Done:
        return;
    }
}

void ProbeExchange::expire()
{
    switch (m_step) {
    case Step::Resolving:
        m_lookup.reset(); // the late answer is thrown away
        finish(ProbeOutcome::UnknownHost);
        return;
    case Step::Answering:
        if (!m_answer.isEmpty()) {
            judgeAnswer(); // answered, but did not close
            return;
        }
        [[fallthrough]];
    case Step::Connecting:
    case Step::Sending:
        if (m_socket.valid()) {
            // Reset rather than close politely, so a silent peer leaves no half-closed
            // connection behind on either side.
            const linger abort{1, 0};
            ::setsockopt(m_socket.get(), SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        }
        finish(ProbeOutcome::NoAnswer);
        return;
    case Step::Done:
        return;
    }
}

void ProbeExchange::connectTo(std::uint32_t address)
{
    m_address = address;
    // A probe goes to one station: never to a broadcast or multicast address.
    if (!Ipv4Range::isStationAddress(ntohl(address))) {
        finish(ProbeOutcome::NoStation);
        return;
    }
    m_socket.reset(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!m_socket.valid()) {
        m_lackedDescriptor = errno == EMFILE || errno == ENFILE;
        finish(ProbeOutcome::NoAnswer);
        return;
    }
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = address;
    target.sin_port = htons(static_cast<std::uint16_t>(m_target.port));
    if (::connect(m_socket.get(), reinterpret_cast<const sockaddr *>(&target), sizeof target) == 0) {
        sendProbe();
    } else if (errno == EINPROGRESS || errno == EINTR) {
        m_step = Step::Connecting;
    } else {
        finish(outcomeOfConnectError(errno));
    }
}

void ProbeExchange::checkConnected()
{
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(m_socket.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    if (error == 0)
        sendProbe();
    else if (error != EINPROGRESS)
        finish(outcomeOfConnectError(error));
}

void ProbeExchange::sendProbe()
{
    m_step = Step::Sending;
    const QByteArray &packet = thePacket();
    while (m_sent < packet.size()) {
        const ssize_t sent = ::send(m_socket.get(), packet.constData() + m_sent, packet.size() - m_sent, MSG_NOSIGNAL);
        if (sent > 0) {
            m_sent += sent;
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        } else {
            finish(ProbeOutcome::NoStation); // accepted, then dropped
            return;
        }
    }
    m_step = Step::Answering;
}

void ProbeExchange::readAnswer()
{
    char buffer[kLongestAnswer + 1];
    while (true) {
        const ssize_t count = ::recv(m_socket.get(), buffer, sizeof buffer, 0);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (count <= 0) { // closed after answering (or reset): the answer is all there is
            judgeAnswer();
            return;
        }
        m_answer.append(buffer, count);
        if (m_answer.size() > kLongestAnswer || numberHasEnded(m_answer)) {
            judgeAnswer();
            return;
        }
    }
}

// A station acknowledges with the length it received, read as a sending station reads the
// acknowledgement of a message.
void ProbeExchange::judgeAnswer()
{
    const bool ours = !m_answer.isEmpty() && m_answer.size() <= kLongestAnswer
        && CTcpSendWorker::answeredLength(m_answer) == thePacket().size();
    finish(ours ? ProbeOutcome::Reachable : ProbeOutcome::NoStation);
}

void ProbeExchange::finish(ProbeOutcome outcome)
{
    m_outcome = outcome;
    m_step = Step::Done;
    m_ended = Clock::now();
    m_socket.reset();
}

ProbeResult ProbeExchange::result() const
{
    ProbeResult result;
    result.index = m_index;
    result.target = m_target;
    if (m_address)
        result.address = dotted(*m_address);
    result.outcome = m_outcome;
    result.elapsedMs =
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(m_ended - m_started).count());
    return result;
}

} // namespace tq
