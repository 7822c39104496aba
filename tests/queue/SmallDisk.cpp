#include "SmallDisk.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace tq::test {
namespace {

constexpr char kFolderVariable[] = "TQ_SMALL_DISK";

// -r maps the caller to root inside, so this works for users too where the kernel lets them
// make namespaces. "$1" is the mount point, "$0" the test binary.
QStringList unshareArguments(const QString &script, const QString &folder)
{
    return {QStringLiteral("-rm"),
            QStringLiteral("sh"),
            QStringLiteral("-c"),
            script,
            QCoreApplication::applicationFilePath(),
            folder};
}

QString mountCommand(int sizeKiB)
{
    return QStringLiteral("mount -t tmpfs -o size=%1k tmpfs \"$1\"").arg(sizeKiB);
}

} // namespace

bool onSmallDisk()
{
    return qEnvironmentVariableIsSet(kFolderVariable);
}

QString smallDiskFolder()
{
    return qEnvironmentVariable(kFolderVariable) + QLatin1Char('/');
}

SmallDiskRun runOnSmallDisk(int sizeKiB, const QString &testName)
{
    SmallDiskRun run;
    QTemporaryDir mountPoint;
    if (!mountPoint.isValid()) {
        run.output = "no temporary folder for the mount point";
        return run;
    }
    QProcess trial;
    trial.setProcessChannelMode(QProcess::MergedChannels);
    trial.start(QStringLiteral("unshare"), unshareArguments(mountCommand(sizeKiB), mountPoint.path()));
    if (!trial.waitForFinished(10000) || trial.exitStatus() != QProcess::NormalExit || trial.exitCode() != 0) {
        run.output =
            "no mount namespace with a small tmpfs here (unshare -rm and mount are needed): " + trial.readAll();
        return run;
    }
    run.available = true;

    QProcess inside;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kFolderVariable), mountPoint.path());
    inside.setProcessEnvironment(environment);
    inside.setProcessChannelMode(QProcess::MergedChannels);
    inside.start(QStringLiteral("unshare"),
                 unshareArguments(mountCommand(sizeKiB) + QStringLiteral(" && exec \"$0\" --gtest_filter=") + testName,
                                  mountPoint.path()));
    if (!inside.waitForFinished(90000)) {
        inside.kill();
        inside.waitForFinished();
        run.output = "the test did not end inside the namespace: " + inside.readAll();
        return run;
    }
    run.output = inside.readAll();
    run.passed = inside.exitStatus() == QProcess::NormalExit && inside.exitCode() == 0
        && run.output.contains("[  PASSED  ] 1 test");
    return run;
}

} // namespace tq::test
