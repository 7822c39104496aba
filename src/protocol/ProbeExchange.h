#pragma once

#include "platform/UniqueFd.h"
#include "protocol/HostResolver.h"
#include "protocol/ProbeTypes.h"

#include <QByteArray>

#include <poll.h>

#include <chrono>
#include <cstdint>
#include <optional>

namespace tq {

// One identification probe: resolve the host, connect without blocking, send the probe and
// read the answer. The owner polls the descriptor it names and calls advance() with what the
// poll saw, or expire() once the deadline has passed.
class ProbeExchange {
public:
    using Clock = std::chrono::steady_clock;

    // The keyword and the stream terminator: what a listener reads as one whole packet.
    static QByteArray probePacket();

    ProbeExchange(int index, ProbeTarget target, Clock::time_point deadline);

    // Resolves or connects; the exchange may be over at once (refused, unknown host).
    void start(const HostResolver &resolver);
    // True when no descriptor was left for the socket: the owner may try again later.
    bool lackedDescriptor() const { return m_lackedDescriptor; }

    bool isDone() const { return m_step == Step::Done; }
    Clock::time_point deadline() const { return m_deadline; }
    // What to poll while not done.
    pollfd pollEntry() const;
    void advance(short revents);
    void expire();

    ProbeOutcome outcome() const { return m_outcome; }
    // The probed address in network byte order, once known.
    std::optional<std::uint32_t> address() const { return m_address; }
    ProbeResult result() const;

private:
    enum class Step { Resolving, Connecting, Sending, Answering, Done };

    void connectTo(std::uint32_t address);
    void checkConnected();
    void sendProbe();
    void readAnswer();
    void judgeAnswer();
    void finish(ProbeOutcome outcome);

    const int m_index;
    const ProbeTarget m_target;
    const Clock::time_point m_deadline;
    Clock::time_point m_started;
    Clock::time_point m_ended;
    Step m_step = Step::Resolving;
    ProbeOutcome m_outcome = ProbeOutcome::NoAnswer;
    std::optional<HostLookup> m_lookup;
    std::optional<std::uint32_t> m_address;
    UniqueFd m_socket;
    qsizetype m_sent = 0;
    QByteArray m_answer;
    bool m_lackedDescriptor = false;
};

} // namespace tq
