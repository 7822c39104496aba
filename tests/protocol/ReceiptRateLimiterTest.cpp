#include "protocol/ReceiptRateLimiter.h"

#include "support/ManualClock.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

int allowedOf(ReceiptRateLimiter &limiter, const QByteArray &address, int attempts)
{
    int allowed = 0;
    for (int i = 0; i < attempts; ++i)
        allowed += limiter.allow(address) ? 1 : 0;
    return allowed;
}

QByteArray addressNumber(int i)
{
    return "10.1." + QByteArray::number(i / 250) + '.' + QByteArray::number(i % 250);
}

TEST(ReceiptRateLimiterTest, OneAddressGetsABurstOfFiftyThenTwentyASecond)
{
    test::ManualClock clock;
    ReceiptRateLimiter limiter(clock);
    EXPECT_EQ(allowedOf(limiter, "10.0.0.5", 80), 50);
    EXPECT_EQ(allowedOf(limiter, "10.0.0.6", 5), 5) << "another address has its own bucket";
    clock.advance(500);
    EXPECT_EQ(allowedOf(limiter, "10.0.0.5", 80), 10);
    clock.advance(60000);
    EXPECT_EQ(allowedOf(limiter, "10.0.0.5", 80), 50) << "a long pause gives one burst, not more";
    EXPECT_EQ(limiter.refused(), 30u + 70u + 30u);
}

TEST(ReceiptRateLimiterTest, AllAddressesTogetherGetFiveHundredASecond)
{
    test::ManualClock clock;
    ReceiptRateLimiter limiter(clock);
    int allowed = 0;
    for (int i = 0; i < 1000; ++i)
        allowed += allowedOf(limiter, addressNumber(i), 2);
    EXPECT_EQ(allowed, 500);
    clock.advance(100);
    allowed = 0;
    for (int i = 1000; i < 1100; ++i)
        allowed += allowedOf(limiter, addressNumber(i), 1);
    EXPECT_EQ(allowed, 50);
    EXPECT_EQ(limiter.refused(), 1500u + 50u);
}

TEST(ReceiptRateLimiterTest, ManyForgedSourcesDoNotWearDownTheLimits)
{
    // Far more addresses than the table keeps: the sweep forgets only buckets that are full
    // again, so an address that used its burst stays limited.
    test::ManualClock clock;
    ReceiptRateLimiter limiter(clock);
    EXPECT_EQ(allowedOf(limiter, "10.0.0.5", 60), 50);
    for (int i = 0; i < 20000; ++i) {
        limiter.allow(addressNumber(i));
        if (i % 200 == 199)
            clock.advance(1); // 20,000 sources in a tenth of a second
    }
    clock.advance(1000);
    // Remembered, it has earned 22 receipts in 1.1 s; forgotten, it would get a new burst.
    EXPECT_LT(allowedOf(limiter, "10.0.0.5", 60), 30);
}

} // namespace
} // namespace tq
