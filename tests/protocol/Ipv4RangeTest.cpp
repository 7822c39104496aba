// Address ranges as the user writes them: what is probed, what is left out, and what is
// refused with which words.
#include "protocol/Ipv4Range.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

struct Accepted {
    const char *text;
    const char *first;
    const char *last;
    qsizetype count;
};

class AcceptedRange : public ::testing::TestWithParam<Accepted> { };

TEST_P(AcceptedRange, HoldsExactlyTheAddressesToProbe)
{
    const Accepted &expected = GetParam();
    const Ipv4Range range = Ipv4Range::parse(QString::fromLatin1(expected.text));
    ASSERT_TRUE(range.isValid()) << range.error().toStdString();
    const QStringList addresses = range.dottedAddresses();
    EXPECT_EQ(addresses.size(), expected.count);
    EXPECT_EQ(addresses.constFirst(), QLatin1String(expected.first));
    EXPECT_EQ(addresses.constLast(), QLatin1String(expected.last));
    EXPECT_TRUE(std::is_sorted(range.addresses().begin(), range.addresses().end()));
    QStringList distinct = addresses;
    EXPECT_EQ(distinct.removeDuplicates(), 0);
}

INSTANTIATE_TEST_SUITE_P(Ipv4Range, AcceptedRange,
                         ::testing::Values(
                             // A network: neither its own address nor its broadcast.
                             Accepted{"10.0.0.0/24", "10.0.0.1", "10.0.0.254", 254},
                             Accepted{"10.99.0.0/28", "10.99.0.1", "10.99.0.14", 14},
                             Accepted{"10.0.0.0/20", "10.0.0.1", "10.0.15.254", 4094},
                             Accepted{"192.168.7.200/30", "192.168.7.201", "192.168.7.202", 2},
                             Accepted{"192.168.7.200/31", "192.168.7.200", "192.168.7.201", 2},
                             Accepted{"192.168.7.200/32", "192.168.7.200", "192.168.7.200", 1},
                             // An address with host bits stands for its network.
                             Accepted{"10.0.0.77/24", "10.0.0.1", "10.0.0.254", 254},
                             Accepted{"  172.16.0.0/23 ", "172.16.0.1", "172.16.1.254", 510},
                             // Two addresses: both ends, without .0 and .255.
                             Accepted{"10.0.0.1-10.0.0.50", "10.0.0.1", "10.0.0.50", 50},
                             Accepted{"10.0.0.1-50", "10.0.0.1", "10.0.0.50", 50},
                             Accepted{"10.0.0.1 - 10.0.0.3", "10.0.0.1", "10.0.0.3", 3},
                             Accepted{"10.0.0.250-10.0.1.5", "10.0.0.250", "10.0.1.5", 10},
                             Accepted{"10.0.0.0-10.0.15.255", "10.0.0.1", "10.0.15.254", 4096 - 32},
                             Accepted{"10.0.0.7", "10.0.0.7", "10.0.0.7", 1},
                             Accepted{"127.0.0.1-2", "127.0.0.1", "127.0.0.2", 2}));

TEST(Ipv4Range, LeavesOutEveryAddressEndingInZeroOr255OfATwoAddressRange)
{
    const Ipv4Range range = Ipv4Range::parse(u"10.0.0.200-10.0.2.10");
    ASSERT_TRUE(range.isValid());
    const QStringList addresses = range.dottedAddresses();
    for (const char *left : {"10.0.0.255", "10.0.1.0", "10.0.1.255", "10.0.2.0"})
        EXPECT_FALSE(addresses.contains(QLatin1String(left))) << left;
    EXPECT_TRUE(addresses.contains(QStringLiteral("10.0.1.1")));
    EXPECT_TRUE(addresses.contains(QStringLiteral("10.0.1.254")));
    EXPECT_EQ(addresses.size(), 55 + 254 + 10);
}

struct Refused {
    const char *text;
    const char *errorPart;
};

class RefusedRange : public ::testing::TestWithParam<Refused> { };

TEST_P(RefusedRange, SaysWhatIsWrong)
{
    const Refused &expected = GetParam();
    const Ipv4Range range = Ipv4Range::parse(QString::fromLatin1(expected.text));
    EXPECT_FALSE(range.isValid());
    EXPECT_TRUE(range.addresses().isEmpty());
    EXPECT_TRUE(range.error().contains(QLatin1String(expected.errorPart)))
        << expected.text << " gave: " << range.error().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Ipv4Range, RefusedRange,
    ::testing::Values(
        Refused{"10.0.0.0/19", "too large"}, Refused{"10.0.0.0/8", "at most 4096 addresses"},
        Refused{"10.0.0.0/0", "too large"}, Refused{"10.0.0.1-10.0.16.1", "too large"},
        Refused{"10.0.0.0/33", "from 20 to 32"}, Refused{"10.0.0.0/", "from 20 to 32"},
        Refused{"10.0.0.0/2x", "from 20 to 32"}, Refused{"10.0.0.0/-24", "from 20 to 32"},
        Refused{"10.0.0.50-10.0.0.1", "reversed: 10.0.0.50 comes after 10.0.0.1"}, Refused{"10.0.0.50-3", "reversed"},
        Refused{"", "is not an address range"}, Refused{"bob-pc", "is not an address range"},
        Refused{"10.0.0", "is not an address range"}, Refused{"10.0.0.256/24", "is not an address range"},
        Refused{"10.0.0.1-10.0.0", "is not an address range"}, Refused{"10.0.0.1-256", "is not an address range"},
        Refused{"10.0.0.1-", "is not an address range"}, Refused{"10.0.0.1--5", "is not an address range"},
        Refused{"10.0.0.1/24/24", "from 20 to 32"}, Refused{"1O.0.0.1", "is not an address range"},
        Refused{"+10.0.0.1", "is not an address range"}, Refused{"0.0.0.0/24", "which no station can have"},
        Refused{"224.0.0.0/24", "224.0.0.1, which no station can have"},
        Refused{"223.255.255.250-224.0.0.4", "which no station can have"},
        Refused{"255.255.255.255", "which no station can have"}, Refused{"10.0.0.255", "holds no address to probe"},
        Refused{"10.0.1.0", "holds no address"}));

TEST(Ipv4Range, ProposesTheNetworkOfTheOwnAddress)
{
    EXPECT_EQ(Ipv4Range::networkOf(QStringLiteral("192.168.1.37")), QStringLiteral("192.168.1.0/24"));
    EXPECT_EQ(Ipv4Range::networkOf(QStringLiteral("10.99.0.2")), QStringLiteral("10.99.0.0/24"));
    EXPECT_TRUE(Ipv4Range::networkOf(QString()).isEmpty());
    EXPECT_TRUE(Ipv4Range::networkOf(QStringLiteral("not-an-address")).isEmpty());
    // Whatever the machine's address, the proposal is a range the parser takes.
    const QString own = Ipv4Range::ownNetwork();
    if (!own.isEmpty()) {
        EXPECT_TRUE(Ipv4Range::parse(own).isValid()) << own.toStdString();
    }
}

} // namespace
} // namespace tq
