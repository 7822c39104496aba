#include "platform/SystemIdentity.h"

#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace tq {

QString computerName()
{
    return QSysInfo::machineHostName();
}

QString accountFullName()
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd *found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_gecos)
        return {};
    // GECOS: full name, room, phones, other, separated by commas.
    const QString gecos = QString::fromUtf8(found->pw_gecos);
    return gecos.section(QLatin1Char(','), 0, 0).trimmed();
}

} // namespace tq
