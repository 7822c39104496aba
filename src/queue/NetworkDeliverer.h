#pragma once

#include "platform/UniqueFd.h"
#include "protocol/HostResolver.h"
#include "queue/QueueDeliverer.h"

#include <QByteArray>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

namespace tq {

class ReceiptBoard;

// Delivers a waiting message the way a send does, to its one destination, on a poll loop in
// the calling thread. A stream goes over one TCP connection in 256-byte pieces and counts
// when the station answers with its length. A datagram counts when its receipt reaches
// `receipts`; while nobody hears receipts there it is not sent at all, since a datagram
// that could never be confirmed would be sent again at every retry.
class NetworkDeliverer : public QueueDeliverer {
public:
    explicit NetworkDeliverer(std::shared_ptr<ReceiptBoard> receipts, HostResolver resolver = HostResolver());

    DeliveryResult deliver(const QueuedMessage &entry, int budgetMs, const WakeupEvent &stop) override;

private:
    using Deadline = std::chrono::steady_clock::time_point;
    enum class Wait { Ready, TimedOut, Stopped };

    // Polls `fd` for `events` and the stop event until the deadline.
    static Wait waitFor(int fd, short events, Deadline deadline, const WakeupEvent &stop, short *revents = nullptr);
    std::optional<std::uint32_t> resolve(const QString &host, Deadline deadline, const WakeupEvent &stop,
                                         DeliveryResult &result) const;

    DeliveryResult deliverStream(const QueuedMessage &entry, std::uint32_t address, Deadline deadline,
                                 const WakeupEvent &stop) const;
    DeliveryResult deliverDatagram(const QueuedMessage &entry, std::uint32_t address, Deadline deadline,
                                   const WakeupEvent &stop) const;
    // Connects a non-blocking TCP socket; the outcome when it fails.
    static std::optional<DeliveryOutcome> connectStream(const UniqueFd &socket, std::uint32_t address, int port,
                                                        Deadline deadline, const WakeupEvent &stop);
    static std::optional<DeliveryOutcome> sendStream(const UniqueFd &socket, const QByteArray &packet,
                                                     Deadline deadline, const WakeupEvent &stop);

    std::shared_ptr<ReceiptBoard> m_receipts;
    HostResolver m_resolver;
};

} // namespace tq
