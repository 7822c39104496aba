#pragma once

#include "protocol/SendExchange.h"

#include <QByteArray>

#include <netinet/in.h>

namespace tq {

// Sends the datagram form as one datagram; broadcast addresses are allowed. There is no
// answer on UDP: a sent datagram counts as delivered.
class CUdpSendWorker final : public SendExchange {
public:
    // `datagram` is the task's copy, which outlives its exchanges.
    CUdpSendWorker(SendLedger &ledger, const SendEvents &events, const HostResolver &resolver, std::optional<int> index,
                   QString host, int port, const QByteArray &datagram);

private:
    int createSocket() override;
    void addressKnown(const sockaddr_in &target) override;
    void socketReady(short revents) override;
    void trySend();

    const QByteArray &m_datagram;
    sockaddr_in m_target{};
};

} // namespace tq
