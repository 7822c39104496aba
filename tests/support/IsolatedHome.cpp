#include "support/IsolatedHome.h"

#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"

#include <QDir>

#include <cstdlib>

namespace tq::test {
namespace {

void pointEnvironmentAt(const QString &home)
{
    const auto set = [](const char *name, const QString &value) {
        ::setenv(name, QFile::encodeName(value).constData(), 1);
    };
    QDir(home).mkpath(QStringLiteral("config"));
    QDir(home).mkpath(QStringLiteral("data"));
    QDir(home).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    set("HOME", home);
    set("XDG_CONFIG_HOME", home + QStringLiteral("/config"));
    set("XDG_DATA_HOME", home + QStringLiteral("/data"));
    set("XDG_RUNTIME_DIR", home + QStringLiteral("/runtime"));
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

QString IsolatedHome::settingsFilePath() const
{
    return SettingsStore::defaultFilePath();
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
