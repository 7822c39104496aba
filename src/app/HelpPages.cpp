#include "app/HelpPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tq {

QStringList HelpPages::defaultFolders()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir + QStringLiteral("/help"),
            QDir::cleanPath(programDir + QStringLiteral("/../share/tarquel-messenger/help"))};
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
