#include "support/IsolatedHome.h"

#include "settings/AppDataDir.h"

#include <QDir>

#include <cstdlib>
#include <utility>

namespace tq::test {
namespace {

void pointEnvironmentAt(const QString &home)
{
    ::setenv("HOME", QFile::encodeName(home).constData(), 1);
    const std::pair<const char *, const char *> folders[] = {
        {"XDG_CONFIG_HOME", "/config"}, {"XDG_DATA_HOME", "/data"}, {"XDG_RUNTIME_DIR", "/runtime"}};
    for (const auto &[name, folder] : folders) {
        QDir().mkpath(home + QLatin1String(folder));
        ::setenv(name, QFile::encodeName(home + QLatin1String(folder)).constData(), 1);
    }
    // The runtime folder must be private to its owner.
    QFile::setPermissions(home + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

IsolatedHome::IsolatedHome()
{
    pointEnvironmentAt(m_dir.path());
    AppDataDir::initialise();
}

IsolatedHome::~IsolatedHome()
{
    AppDataDir::setPathForTesting(QStringLiteral("./"));
}

QString IsolatedHome::appDataDir() const
{
    return AppDataDir::path();
}

void isolateProcessHome()
{
    static QTemporaryDir processHome;
    pointEnvironmentAt(processHome.path());
}

} // namespace tq::test
