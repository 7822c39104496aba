#include "app/HelpPages.h"

#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>

namespace tq {

QStringList HelpPages::defaultFolders()
{
    QStringList folders;
    for (const QString &folder : programDataFolders())
        folders.append(folder + QStringLiteral("/help"));
    return folders;
}

QString HelpPages::indexPath(const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QFileInfo index(QDir(folder).filePath(QLatin1String(kIndexPage)));
        if (index.isFile() && index.isReadable())
            return index.absoluteFilePath();
    }
    return {};
}

} // namespace tq
