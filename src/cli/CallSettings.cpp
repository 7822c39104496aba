#include "cli/CallSettings.h"

#include <QFile>

namespace tq::cli {

CallSettings::CallSettings()
{
    if (!m_folder.isValid())
        return;
    const QString copy = m_folder.filePath(QStringLiteral("TarquelMessenger.conf"));
    const QString own = SettingsStore::defaultFilePath();
    // A user without settings yet gets the defaults, as the window would.
    if (QFile::exists(own) && !QFile::copy(own, copy))
        return;
    // The copy of a read-only file would refuse the options.
    if (QFile::exists(copy))
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    m_store.emplace(copy);
}

} // namespace tq::cli
