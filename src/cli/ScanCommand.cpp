#include "cli/ScanCommand.h"

#include "cli/CommandOutput.h"
#include "cli/ProbeJson.h"
#include "cli/SubcommandParser.h"
#include "protocol/Ipv4Range.h"
#include "protocol/ProbeRun.h"

#include <QElapsedTimer>
#include <QJsonDocument>

namespace tq::cli {

QString ScanCommand::summary() const
{
    return tr("Finds the stations of an address range.");
}

int ScanCommand::run(const QStringList &arguments, CommandOutput &output)
{
    const int stationPort = SubcommandParser::defaultStationPort();
    const ProbeOptions options = ProbeOptions::forScan();
    SubcommandParser command(
        name(), tr("[options] RANGE"),
        tr("Probes every address of RANGE and prints only the stations that answered, as they answer: the address, "
           "its host name (\"-\" when none is known) and the port, separated by tabs. Addresses that refuse, stay "
           "silent or answer as no station does are not printed. At most %1 addresses are probed at once, each for "
           "at most %2 ms.\n"
           "RANGE is a network, such as 10.0.0.0/24 (a /%3 at most; its first and last address are left out), or "
           "two addresses, such as 10.0.0.1-10.0.0.50 or 10.0.0.1-50 (addresses ending in .0 or .255 are left "
           "out). A range holds at most %4 addresses.\n"
           "Exit status: 0 when the scan is done, even when it found nothing; 2 for bad usage.")
            .arg(options.concurrency)
            .arg(options.timeoutMs)
            .arg(Ipv4Range::kWidestPrefix)
            .arg(Ipv4Range::kMaxAddresses));
    const QCommandLineOption portOption(
        {QStringLiteral("p"), QStringLiteral("port")},
        tr("Probes at TCP port N (default: the TCP port of your settings, now %1).").arg(stationPort),
        QStringLiteral("N"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        tr("Writes one JSON object per station found instead of a line."));
    command.addOption(portOption);
    command.addOption(jsonOption);
    command.addPositionalArgument(QStringLiteral("RANGE"), tr("The IPv4 addresses to probe."));
    if (const auto status = command.parse(arguments, output))
        return *status;

    const auto port = command.portOption(portOption, stationPort, output);
    if (!port)
        return ExitBadUsage;
    const QStringList positional = command.parser().positionalArguments();
    if (positional.isEmpty())
        return command.usageError(tr("no RANGE given"), output);
    if (positional.size() > 1)
        return command.usageError(tr("one RANGE at a time, not also \"%1\"").arg(positional.at(1)), output);
    const Ipv4Range range = Ipv4Range::parse(positional.first());
    if (!range.isValid())
        return command.usageError(range.error(), output);

    QList<ProbeTarget> targets;
    for (const QString &address : range.dottedAddresses())
        targets.append({address, *port});
    const bool json = command.parser().isSet(jsonOption);
    int found = 0;
    QElapsedTimer clock;
    clock.start();
    ProbeRun(targets, options).run([&](const ProbeResult &result) {
        if (result.outcome != ProbeOutcome::Reachable)
            return;
        ++found;
        if (json) {
            output.line(QString::fromUtf8(QJsonDocument(foundStationJson(result)).toJson(QJsonDocument::Compact)));
        } else {
            const QString hostName = result.hostName.isEmpty() ? QStringLiteral("-") : result.hostName;
            output.line(result.address + u'\t' + hostName + u'\t' + QString::number(result.target.port));
        }
    });
    output.errorLine(tr("Stations found: %1 of %2 addresses, in %3 s.")
                         .arg(found)
                         .arg(targets.size())
                         .arg(static_cast<double>(clock.elapsed()) / 1000.0, 0, 'f', 1));
    return ExitSuccess;
}

} // namespace tq::cli
