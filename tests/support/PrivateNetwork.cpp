#include "support/PrivateNetwork.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

namespace tq::test {
namespace {

constexpr char kInsideVariable[] = "TQ_PRIVATE_NETWORK";

// -r maps the caller to root inside, so this works for users too where the kernel lets
// them make namespaces.
QStringList unshareArguments(const QString &script)
{
    return {QStringLiteral("-rn"), QStringLiteral("sh"), QStringLiteral("-c"), script,
            QCoreApplication::applicationFilePath()};
}

} // namespace

bool insidePrivateNetwork()
{
    return qEnvironmentVariableIsSet(kInsideVariable);
}

PrivateNetworkRun runInPrivateNetwork(const QString &setUp, const QString &testName)
{
    PrivateNetworkRun run;
    QProcess trial;
    trial.setProcessChannelMode(QProcess::MergedChannels);
    trial.start(QStringLiteral("unshare"), unshareArguments(setUp));
    if (!trial.waitForFinished(10000) || trial.exitStatus() != QProcess::NormalExit || trial.exitCode() != 0) {
        run.output = "no private network namespace here (unshare -rn and ip are needed): " + trial.readAll();
        return run;
    }
    run.available = true;

    QProcess inside;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kInsideVariable), QStringLiteral("1"));
    inside.setProcessEnvironment(environment);
    inside.setProcessChannelMode(QProcess::MergedChannels);
    inside.start(QStringLiteral("unshare"),
                 unshareArguments(setUp + QStringLiteral(" && exec \"$0\" --gtest_filter=") + testName));
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
