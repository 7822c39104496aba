#include "protocol/ReceiptRateLimiter.h"

#include "platform/Clock.h"

#include <algorithm>

namespace tq {
namespace {

// Beyond this many addresses the table is swept of those whose bucket has filled up again:
// such a bucket says nothing that a new one would not.
constexpr qsizetype kSweepAbove = 4096;

} // namespace

ReceiptRateLimiter::ReceiptRateLimiter(const Clock &clock)
    : m_clock(clock)
    , m_total{kTotalBurst, clock.nowMs()}
{
}

bool ReceiptRateLimiter::allow(const QByteArray &address)
{
    const qint64 now = m_clock.nowMs();
    refill(m_total, kTotalRate, kTotalBurst, now);
    auto it = m_perAddress.find(address);
    if (it == m_perAddress.end()) {
        if (m_perAddress.size() >= kSweepAbove)
            forgetFullBuckets(now);
        it = m_perAddress.insert(address, Bucket{kPerAddressBurst, now});
    }
    refill(*it, kPerAddressRate, kPerAddressBurst, now);
    if (it->tokens < 1 || m_total.tokens < 1) {
        ++m_refused;
        return false;
    }
    it->tokens -= 1;
    m_total.tokens -= 1;
    return true;
}

void ReceiptRateLimiter::refill(Bucket &bucket, double rate, double burst, qint64 nowMs) const
{
    const qint64 elapsed = std::max<qint64>(0, nowMs - bucket.filledAtMs);
    bucket.tokens = std::min(burst, bucket.tokens + rate * static_cast<double>(elapsed) / 1000.0);
    bucket.filledAtMs = nowMs;
}

void ReceiptRateLimiter::forgetFullBuckets(qint64 nowMs)
{
    for (auto it = m_perAddress.begin(); it != m_perAddress.end();) {
        refill(*it, kPerAddressRate, kPerAddressBurst, nowMs);
        it = it->tokens >= kPerAddressBurst ? m_perAddress.erase(it) : std::next(it);
    }
}

} // namespace tq
