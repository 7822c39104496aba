#include "platform/FreeSpace.h"

#include <QFile>

#include <sys/statvfs.h>

namespace tq {

bool FileSystemFreeSpace::nearlyFull(const QString &folder) const
{
    struct statvfs figures { };
    if (::statvfs(QFile::encodeName(folder).constData(), &figures) != 0)
        return false;
    const unsigned long long unit = figures.f_frsize ? figures.f_frsize : figures.f_bsize;
    const unsigned long long total = static_cast<unsigned long long>(figures.f_blocks) * unit;
    const unsigned long long available = static_cast<unsigned long long>(figures.f_bavail) * unit;
    return available < kMinFreeBytes || available * 1000 < total * kMinFreePerMille;
}

} // namespace tq
