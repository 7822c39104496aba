#pragma once

#include <QByteArray>
#include <QString>

namespace tq::test {

// Tests that need several hosts run in a network namespace of their own, whose only
// interface is loopback: the test binary starts itself again there for one test.
//
//   TEST(Suite, Name) {
//       if (!test::insidePrivateNetwork()) {
//           const auto run = test::runInPrivateNetwork(kSetUp, "Suite.Name");
//           if (!run.available) GTEST_SKIP() << run.output.toStdString();
//           EXPECT_TRUE(run.passed) << run.output.toStdString();
//           return;
//       }
//       ... the test itself, inside ...
//   }
bool insidePrivateNetwork();

struct PrivateNetworkRun {
    bool available = false; // false: no namespace could be made here; `output` says why
    bool passed = false;
    QByteArray output;
};

// `setUp` is a shell command run in the namespace first ("ip link set lo up && ...").
PrivateNetworkRun runInPrivateNetwork(const QString &setUp, const QString &testName);

} // namespace tq::test
