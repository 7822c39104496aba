#pragma once

#include <QByteArray>
#include <QString>

namespace tq::test {

// Tests of a full disk run on a tiny file system of their own: the test binary starts itself
// again for one test in a mount namespace where a small tmpfs lies over a fresh folder.
//
//   TEST(Suite, Name) {
//       if (!test::onSmallDisk()) {
//           const auto run = test::runOnSmallDisk(256, "Suite.Name");
//           if (!run.available) GTEST_SKIP() << run.output.toStdString();
//           EXPECT_TRUE(run.passed) << run.output.toStdString();
//           return;
//       }
//       ... the test itself, writing under test::smallDiskFolder() ...
//   }
bool onSmallDisk();
// The tmpfs, ending with '/'.
QString smallDiskFolder();

struct SmallDiskRun {
    bool available = false; // false: no mount namespace could be made here; `output` says why
    bool passed = false;
    QByteArray output;
};

SmallDiskRun runOnSmallDisk(int sizeKiB, const QString &testName);

} // namespace tq::test
