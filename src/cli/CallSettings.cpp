#include "cli/CallSettings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace tq::cli {
namespace {

QString privateFolderTemplate()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return (runtime.isEmpty() ? QDir::tempPath() : runtime) + QStringLiteral("/tarquel-send-XXXXXX");
}

} // namespace

CallSettings::CallSettings()
    : m_folder(privateFolderTemplate())
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
