#pragma once

#include <QString>

namespace tq {

// The lock file that makes the window program one per user: whoever holds it runs the
// messenger's receivers. It lives in `folder`, the user's runtime folder by default.
QString instanceLockPath(const QString &folder);

// Whether a running process holds the lock now. A lock left behind by a process that no
// longer exists does not count.
bool instanceLockHeld(const QString &folder);

} // namespace tq
