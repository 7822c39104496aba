#pragma once

#include "platform/UniqueFd.h"
#include "protocol/HandOverBound.h"
#include "protocol/ReceivedData.h"
#include "protocol/SettledMessages.h"
#include "protocol/StreamPacketReader.h"

#include <QByteArray>

#include <netinet/in.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>

namespace tq {

// The TCP listener's poll loop: it accepts, reads every open connection as its bytes come,
// hands each finished packet on and answers with the length it kept. The places are shared
// so that nobody can keep the others out for long:
// - at most kMaxConnections are read at once, at most kMaxPerAddress from one source
//   address. A connection beyond its address's share is accepted and waits, unread, until
//   its address has a place again (a station sending one message to many users here opens
//   many at once); at most kMaxWaitingPerAddress wait for one address and kMaxWaiting in
//   all, and one more is answered "0" and closed at once. Left in the kernel's queue it would
//   block every connection queued behind it, whatever its address, since accept() takes them
//   in order;
// - when every place is taken and another sender waits, the connection that has been quiet
//   longest gives up its place once it has sent nothing for kEvictQuietMs; it is answered
//   with the length of what it sent, as on a time-out.
// A finished packet is answered only once the station has kept it: the connection waits in
// the loop, not polled, until its ticket says so; a packet nobody kept is closed unanswered.
// While the hand-over bound is reached, a finished packet waits to be handed over and no
// connection is read or accepted: the senders wait in the kernel's buffers.
class ListenerLoop {
public:
    static constexpr int kMaxConnections = 256;
    static constexpr int kMaxPerAddress = 8;
    static constexpr int kMaxWaitingPerAddress = 64;
    static constexpr int kMaxWaiting = 1024;
    static constexpr int kEvictQuietMs = 5000;
    static constexpr int kReadTimeoutMs = 300000;
    // How long an inner "/$7" at the end of a read waits for more bytes before it counts as
    // the end of the packet.
    static constexpr int kQuietEndMs = 200;

    using PacketHandler = std::function<void(const ReceivedData &data)>;

    // How often a packet waiting for room in the bound tries again.
    static constexpr int kBoundRetryMs = 10;

    ListenerLoop(int listenFd, int wakeFd, PacketHandler handOn,
                 std::shared_ptr<HandOverBound> bound = std::make_shared<HandOverBound>());
    // Returns when the wake-up descriptor becomes readable or poll() fails.
    void run();

private:
    using Clock = std::chrono::steady_clock;

    struct Connection {
        UniqueFd fd;
        std::uint32_t peer = 0; // IPv4 address, network order
        QByteArray peerIp;
        StreamPacketReader reader;
        Clock::time_point readDeadline;
        Clock::time_point quietDeadline; // meaningful while the reader says CompleteIfQuiet
        Clock::time_point lastHeard; // the accept, or the last byte that came
        bool draining = false;
        Clock::time_point drainLimit;
        // Read to its end: waiting for room in the bound (held), or for its ticket (handedOver).
        bool held = false;
        bool handedOver = false;
        quint64 id = 0;
        qsizetype keptLength = 0;

        bool reading() const { return !held && !handedOver; }

        Clock::time_point nextDeadline() const;
    };

    struct Waiting {
        UniqueFd fd;
        sockaddr_in peer;
        Clock::time_point since;
    };

    // The places taken: connections being read (a packet read to its end waits outside them).
    int openCount() const;
    int waitingFrom(std::uint32_t peer) const;
    void take(UniqueFd fd, const sockaddr_in &peer);
    // Moves waiting connections into places their addresses have again; drops those that
    // waited longer than the read time-out.
    void promoteWaiting();
    int countFrom(std::uint32_t peer) const;
    Connection *quietest();
    // Whether a waiting sender could be taken now: a free place, or one quiet long enough.
    bool canTakeAnother(Clock::time_point now);
    int pollTimeoutMs(Clock::time_point now);
    void acceptNew();
    void service(Connection &connection);
    void expireDeadlines();
    void finish(Connection &connection);
    // Hands a held packet over when the bound has room.
    void handOver(Connection &connection);
    void answerSettled();
    void answerAndClose(Connection &connection);
    bool anyHeld() const;
    void evict(Connection &connection);
    void removeClosed();

    const int m_listenFd;
    const int m_wakeFd;
    PacketHandler m_handOn;
    std::shared_ptr<HandOverBound> m_bound;
    std::shared_ptr<SettledMessages> m_settled = std::make_shared<SettledMessages>();
    quint64 m_nextId = 0;
    std::list<Connection> m_connections;
    std::list<Waiting> m_waiting;
    Clock::time_point m_acceptResume{};
};

} // namespace tq
