#pragma once

#include "protocol/CSocketThread.h"

#include <QByteArray>

namespace tq {

// Sends the datagram form as one datagram; broadcast addresses are allowed. There is no
// answer on UDP: a sent datagram counts as delivered.
class CUdpSendWorker final : public CSocketThread {
public:
    CUdpSendWorker(SendLedger &task, const SendEvents &events, const HostResolver &resolver, std::optional<int> index,
                   QString host, int port, const QByteArray &datagram);
    ~CUdpSendWorker() override;

private:
    void run() override;

    const QByteArray &m_datagram; // the task's own copy, which outlives its workers
};

} // namespace tq
