#include "platform/ProgramFolders.h"

#include "InstallLayout.h"

#include <QCoreApplication>
#include <QDir>

namespace tq {

QStringList programDataFolders(const QString &programDir)
{
    return {programDir, QDir::cleanPath(programDir + QLatin1Char('/') + QLatin1String(kDataDirFromProgram))};
}

QStringList programDataFolders()
{
    return programDataFolders(QCoreApplication::applicationDirPath());
}

} // namespace tq
