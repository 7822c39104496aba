#pragma once

#include <QByteArray>
#include <QHash>

namespace tq {

class Clock;

// Decides whether a delivery receipt may go out. A receipt goes wherever the datagram's
// source address and reply port say, and both can be forged, so without a limit a station
// would answer a stream of small forged datagrams with a stream of larger receipts aimed
// at a third party. Token buckets keep that small: kPerAddressRate receipts a second to one
// address with bursts of kPerAddressBurst, and kTotalRate a second to all addresses
// together. A receipt over the limit is not sent and is counted.
class ReceiptRateLimiter {
public:
    static constexpr double kPerAddressRate = 20;
    static constexpr double kPerAddressBurst = 50;
    static constexpr double kTotalRate = 500;
    static constexpr double kTotalBurst = 500;

    explicit ReceiptRateLimiter(const Clock &clock);

    // True when a receipt to `address` may be sent now; it then counts against the limits.
    bool allow(const QByteArray &address);
    // Receipts refused since construction.
    quint64 refused() const { return m_refused; }

private:
    struct Bucket {
        double tokens = 0;
        qint64 filledAtMs = 0;
    };
    void refill(Bucket &bucket, double rate, double burst, qint64 nowMs) const;
    void forgetFullBuckets(qint64 nowMs);

    const Clock &m_clock;
    Bucket m_total;
    QHash<QByteArray, Bucket> m_perAddress;
    quint64 m_refused = 0;
};

} // namespace tq
