#include "platform/InstanceLock.h"

#include <QLockFile>

namespace tq {

QString instanceLockPath(const QString &folder)
{
    return folder + QStringLiteral("/TarquelMessenger.lock");
}

bool instanceLockHeld(const QString &folder)
{
    QLockFile lock(instanceLockPath(folder));
    // As the holder keeps it: only a holder that no longer exists makes it stale.
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0))
        return lock.error() == QLockFile::LockFailedError;
    lock.unlock();
    return false;
}

} // namespace tq
