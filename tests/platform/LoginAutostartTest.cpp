#include "platform/LoginAutostart.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

class LoginAutostartTest : public test::IsolatedHome {
protected:
    QString entryPath() const { return homePath() + u"/config/autostart/tarquel-messenger.desktop"_s; }

    static QString makeProgram(const QString &path)
    {
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        EXPECT_TRUE(test::writeFile(path, "#!/bin/sh\n"));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
};

TEST_F(LoginAutostartTest, TheEntryInTheUsersAutostartFolderComesAndGoes)
{
    LoginAutostart autostart;
    EXPECT_EQ(autostart.filePath(), entryPath());
    EXPECT_FALSE(autostart.isEnabled());

    ASSERT_TRUE(autostart.enable(u"tarquel-messenger"_s)) << autostart.errorString().toStdString();
    EXPECT_TRUE(autostart.isEnabled());
    const QByteArray entry = test::readFile(entryPath());
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nType=Application\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nExec=tarquel-messenger --minimized\n")) << entry.toStdString();
    // A removed program leaves an entry the session skips rather than an error at log-in.
    EXPECT_TRUE(entry.contains("\nTryExec=tarquel-messenger\n")) << entry.toStdString();

    ASSERT_TRUE(autostart.disable());
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_TRUE(autostart.disable()) << "nothing to remove is no error";
}

TEST_F(LoginAutostartTest, AnUnwritableFolderIsReportedAndLeavesNoEntry)
{
    // A file where the folder should be: the entry cannot be made, even by root.
    ASSERT_TRUE(test::writeFile(homePath() + u"/config/autostart"_s, "not a folder"));
    LoginAutostart autostart;
    EXPECT_FALSE(autostart.enable(u"tarquel-messenger"_s));
    EXPECT_FALSE(autostart.errorString().isEmpty());
    EXPECT_FALSE(autostart.isEnabled());
}

TEST_F(LoginAutostartTest, AProgramOutsideThePathIsNamedByAPathTheLauncherReadsBack)
{
    const QString odd = uR"(/home/ann/my build/50% "x"\y/tarquel-messenger)"_s;
    const QByteArray entry = LoginAutostart::entryText(odd);
    // Quoted for the launcher, a percent doubled, then each backslash escaped for the file.
    EXPECT_TRUE(entry.contains(R"(
Exec="/home/ann/my build/50%% \\"x\\"\\\\y/tarquel-messenger" --minimized
)")) << entry.toStdString();
    EXPECT_TRUE(entry.contains(R"(
TryExec=/home/ann/my build/50% "x"\\y/tarquel-messenger
)")) << entry.toStdString();

    const QString validator = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed";
    const QString file = homePath() + u"/tarquel-messenger.desktop"_s;
    ASSERT_TRUE(test::writeFile(file, entry));
    QProcess validate;
    validate.start(validator, {file});
    ASSERT_TRUE(validate.waitForFinished(30000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString()
                                      << validate.readAllStandardError().toStdString();
    EXPECT_TRUE(validate.readAllStandardOutput().trimmed().isEmpty()) << "not even a hint";
}

TEST_F(LoginAutostartTest, TheInstalledProgramIsNamedBareAnyOtherByItsFullPath)
{
    const QString installed = makeProgram(homePath() + u"/usr/bin/tarquel-messenger"_s);
    const QString built = makeProgram(homePath() + u"/src/build/tarquel-messenger"_s);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(homePath() + u"/usr/bin"_s));
    const QString forInstalled = LoginAutostart::programCommand(installed);
    const QString forBuilt = LoginAutostart::programCommand(built);
    qputenv("PATH", oldPath);

    EXPECT_EQ(forInstalled, u"tarquel-messenger"_s);
    EXPECT_EQ(forBuilt, QFileInfo(built).canonicalFilePath());
}

} // namespace
} // namespace tq
