#include "settings/AppDataDir.h"

#include <QDir>
#include <QStandardPaths>

namespace tq {
namespace {

QString &processPath()
{
    static QString path = QStringLiteral("./");
    return path;
}

QString withoutTrailingWhiteSpace(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

} // namespace

QString AppDataDir::compute()
{
    const QString base =
        withoutTrailingWhiteSpace(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (base.isEmpty())
        return QStringLiteral("./");
    return base + QStringLiteral("/TARQUEL/TarquelMessenger/");
}

void AppDataDir::createFolders(const QString &appDataDir)
{
    QDir().mkpath(appDataDir + QStringLiteral("messages"));
}

const QString &AppDataDir::path()
{
    return processPath();
}

void AppDataDir::initialise()
{
    processPath() = compute();
    createFolders(processPath());
}

void AppDataDir::setPathForTesting(const QString &path)
{
    processPath() = path;
}

} // namespace tq
