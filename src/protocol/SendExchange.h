#pragma once

#include "platform/UniqueFd.h"
#include "protocol/HostResolver.h"
#include "protocol/SendResultCode.h"
#include "res/StringTable.h"

#include <QString>

#include <functional>
#include <optional>

#include <poll.h>

struct sockaddr_in;

namespace tq {

class SendLedger;

// Where the exchanges' texts go: status-line texts, and the send-result event (code 4).
struct SendEvents {
    std::function<void(const QString &text)> status;
    std::function<void(SendResultCode code, const QString &text)> report;
    // The status texts, looked up once per send.
    QString contacting = tqString(Sid::StatusContacting);
    QString sending = tqString(Sid::StatusSending);
    QString verifying = tqString(Sid::StatusVerifying);
    QString delivered = tqString(Sid::StatusDelivered);
    QString possibleError = tqString(Sid::StatusPossibleError);
};

// The delivery of the message to one network destination: the common part of the TCP and
// UDP exchanges. It owns its socket and never blocks: one of the send's worker threads
// (SendWorkerThread) polls what it waits for and calls advance() when that is ready, so a
// handful of threads carry hundreds of destinations at once. An exchange cut off by the
// deadline or a stop simply ends: its destination is listed as failed anyway.
class SendExchange {
public:
    // `index` is the destination's entry in the pending list; none for an automatic answer,
    // which records and reports nothing.
    SendExchange(SendLedger &ledger, const SendEvents &events, const HostResolver &resolver, std::optional<int> index,
                 QString host, int port);
    virtual ~SendExchange();
    SendExchange(const SendExchange &) = delete;
    SendExchange &operator=(const SendExchange &) = delete;

    // Creates the socket and looks the host up; the exchange may end at once.
    void begin();
    // What the exchange waits for while it runs: its socket, or the lookup of its host.
    pollfd waitingFor() const;
    // Goes on after poll() reported `revents` for waitingFor().
    void advance(short revents);
    bool hasEnded() const { return m_stage == Stage::Ended; }

    const QString &host() const { return m_host; }
    int port() const { return m_port; }

protected:
    virtual int createSocket() = 0;
    // The host's address is known: go on.
    virtual void addressKnown(const sockaddr_in &target) = 0;
    // The socket has what waitForSocket() asked for.
    virtual void socketReady(short revents) = 0;

    void waitForSocket(short events);
    void end();

    const SendEvents &events() const { return m_events; }
    // "Contacting host " and the like: the text, the host, " ...".
    void showStatus(const QString &text) const;
    void showStatusOnly(const QString &text) const;
    void report(SendResultCode code, const QString &text) const;

    SendLedger &m_ledger;
    const std::optional<int> m_index;
    UniqueFd m_socket;

private:
    void lookupDone();

    enum class Stage { Idle, Resolving, Socket, Ended };

    const SendEvents &m_events;
    const HostResolver &m_resolver;
    const QString m_host;
    const int m_port;
    Stage m_stage = Stage::Idle;
    short m_socketEvents = 0;
    std::optional<HostLookup> m_lookup;
};

} // namespace tq
