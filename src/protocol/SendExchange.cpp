#include "protocol/SendExchange.h"

#include "protocol/SendLedger.h"

#include <netinet/in.h>

namespace tq {

SendExchange::SendExchange(SendLedger &ledger, const SendEvents &events, const HostResolver &resolver,
                           std::optional<int> index, QString host, int port)
    : m_ledger(ledger)
    , m_index(index)
    , m_events(events)
    , m_resolver(resolver)
    , m_host(std::move(host))
    , m_port(port)
{
}

SendExchange::~SendExchange() = default;

void SendExchange::begin()
{
    m_socket.reset(createSocket());
    if (!m_socket.valid()) {
        end();
        return;
    }
    showStatus(m_events.contacting);
    m_lookup = m_resolver.resolve(m_host.toUtf8());
    m_stage = Stage::Resolving;
    if (m_lookup->isDone())
        lookupDone();
}

pollfd SendExchange::waitingFor() const
{
    switch (m_stage) {
    case Stage::Resolving:
        return {m_lookup->fd(), POLLIN, 0};
    case Stage::Socket:
        return {m_socket.get(), m_socketEvents, 0};
    case Stage::Idle:
    case Stage::Ended:
        break;
    }
    return {-1, 0, 0};
}

void SendExchange::advance(short revents)
{
    if (m_stage == Stage::Resolving)
        lookupDone();
    else if (m_stage == Stage::Socket)
        socketReady(revents);
}

void SendExchange::lookupDone()
{
    const auto address = m_lookup->address();
    m_lookup.reset();
    if (!address) {
        end(); // an unknown host stays pending
        return;
    }
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = *address;
    target.sin_port = htons(static_cast<uint16_t>(m_port));
    addressKnown(target);
}

void SendExchange::waitForSocket(short events)
{
    m_stage = Stage::Socket;
    m_socketEvents = events;
}

void SendExchange::end()
{
    m_stage = Stage::Ended;
    m_lookup.reset();
    m_socket.reset();
}

void SendExchange::showStatus(const QString &text) const
{
    if (m_events.status)
        m_events.status(text + m_host + QStringLiteral(" ..."));
}

void SendExchange::showStatusOnly(const QString &text) const
{
    if (m_events.status)
        m_events.status(text);
}

void SendExchange::report(SendResultCode code, const QString &text) const
{
    if (m_events.report)
        m_events.report(code, text);
}

} // namespace tq
