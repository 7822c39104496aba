#include "platform/OwnAddress.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

const QList<InterfaceAddress> kInterfaces = {
    {"127.0.0.1", true, true},
    {"10.1.1.1", false, false}, // down
    {"192.168.1.7", true, false},
    {"172.16.0.3", true, false},
};

TEST(OwnAddressTest, HostNameAddressUnlessItIsLoopback)
{
    EXPECT_EQ(chooseOwnAddress("10.0.0.5", kInterfaces), "10.0.0.5"_ba);
    // Debian maps the host name to 127.0.1.1: the first interface that is up and not loopback.
    EXPECT_EQ(chooseOwnAddress("127.0.1.1", kInterfaces), "192.168.1.7"_ba);
    // A host name that could not be looked up in time.
    EXPECT_EQ(chooseOwnAddress({}, kInterfaces), "192.168.1.7"_ba);
    // With nothing better, the loopback answer stands.
    EXPECT_EQ(chooseOwnAddress("127.0.1.1", {{"127.0.0.1", true, true}}), "127.0.1.1"_ba);
    EXPECT_EQ(chooseOwnAddress({}, {}), ""_ba);
}

} // namespace
} // namespace tq
