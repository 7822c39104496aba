#include "TarquelProcess.h"

#include <QJsonDocument>
#include <QProcess>

namespace tq::test {

QStringList TarquelRun::outLines() const
{
    return out.split(u'\n', Qt::SkipEmptyParts);
}

QList<QJsonObject> TarquelRun::jsonLines() const
{
    QList<QJsonObject> objects;
    for (const QString &line : outLines())
        objects.append(QJsonDocument::fromJson(line.toUtf8()).object());
    return objects;
}

QProcessEnvironment desktopEnvironment(const QString &language, const QString &lang)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LC_ALL"));
    environment.remove(QStringLiteral("LC_MESSAGES"));
    environment.remove(QStringLiteral("LANGUAGE"));
    if (!language.isEmpty())
        environment.insert(QStringLiteral("LANGUAGE"), language);
    environment.insert(QStringLiteral("LANG"), lang);
    return environment;
}

namespace {

TarquelRun runToEnd(QProcess &process)
{
    TarquelRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("tarquel did not end");
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

TarquelRun runTarquel(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TQ_TARQUEL_PROGRAM), arguments);
    // Standard input stays open: a subcommand that reads it would wait for its end.
    return runToEnd(process);
}

TarquelRun runTarquelWithInput(const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
    process.setProcessEnvironment(desktopEnvironment());
    process.start(QStringLiteral(TQ_TARQUEL_PROGRAM), arguments);
    process.write(input);
    process.closeWriteChannel();
    return runToEnd(process);
}

} // namespace tq::test
