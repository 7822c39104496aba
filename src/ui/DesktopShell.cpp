#include "ui/DesktopShell.h"

#include <QDesktopServices>
#include <QProcess>

namespace tq {

bool DesktopShell::openUrl(const QUrl &url)
{
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool DesktopShell::runCommandLine(const QString &commandLine)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments);
}

} // namespace tq
