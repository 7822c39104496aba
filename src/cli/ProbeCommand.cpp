#include "cli/ProbeCommand.h"

#include "cli/CommandOutput.h"
#include "cli/ProbeJson.h"
#include "cli/ProbeTargetArgument.h"
#include "cli/SubcommandParser.h"
#include "protocol/ProbeRun.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>

#include <optional>
#include <vector>

namespace tq::cli {
namespace {

std::optional<int> parseTimeout(const QString &text)
{
    if (text.isEmpty() || text.size() > 6
        || !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const int value = text.toInt();
    if (value < 1 || value > ProbeCommand::kLongestTimeoutMs)
        return std::nullopt;
    return value;
}

} // namespace

QString ProbeCommand::summary() const
{
    return tr("Asks stations whether they listen.");
}

int ProbeCommand::run(const QStringList &arguments, CommandOutput &output)
{
    const int stationPort = SubcommandParser::defaultStationPort();
    SubcommandParser command(
        name(), tr("[options] HOST[:PORT]..."),
        tr("Asks each HOST whether a station listens there. The identification probe goes over TCP; a station "
           "acknowledges it with its length and neither shows nor stores it. At most %1 targets are probed at once.\n"
           "Prints one line per target, in the order given: the target, a tab, and \"reachable\", \"no station\" "
           "(refused, or an answer that is not a station's), \"no answer\" (nothing answered in time) or "
           "\"unknown host\".\n"
           "Exit status: 0 when every target is reachable, 1 otherwise, 2 for bad usage.")
            .arg(ProbeOptions::forProbe().concurrency));
    const QCommandLineOption portOption(
        {QStringLiteral("p"), QStringLiteral("port")},
        tr("Probes a HOST given without a port at port N (default: the TCP port of your settings, now %1).")
            .arg(stationPort),
        QStringLiteral("N"));
    const QCommandLineOption timeoutOption(
        {QStringLiteral("t"), QStringLiteral("timeout")},
        tr("Waits at most MS milliseconds for each target (default %1).").arg(kDefaultTimeoutMs), QStringLiteral("MS"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        tr("Writes one JSON object with every result instead of the lines."));
    command.addOption(portOption);
    command.addOption(timeoutOption);
    command.addOption(jsonOption);
    command.addPositionalArgument(QStringLiteral("HOST[:PORT]"),
                                  tr("A host name or IPv4 address, optionally with a TCP port."));
    if (const auto status = command.parse(arguments, output))
        return *status;

    const auto defaultPort = command.portOption(portOption, stationPort, output);
    if (!defaultPort)
        return ExitBadUsage;
    ProbeOptions options = ProbeOptions::forProbe();
    options.timeoutMs = kDefaultTimeoutMs;
    if (command.parser().isSet(timeoutOption)) {
        const QString value = command.parser().value(timeoutOption);
        const auto timeout = parseTimeout(value);
        if (!timeout)
            return command.usageError(tr("--timeout %1: give the milliseconds to wait for each target, from 1 to %2")
                                          .arg(value)
                                          .arg(kLongestTimeoutMs),
                                      output);
        options.timeoutMs = *timeout;
    }
    const QStringList hosts = command.parser().positionalArguments();
    if (hosts.isEmpty())
        return command.usageError(tr("no HOST given"), output);
    QList<ProbeTarget> targets;
    for (const QString &host : hosts) {
        const auto target = parseProbeTarget(host, *defaultPort);
        if (const QString *error = std::get_if<QString>(&target))
            return command.usageError(*error, output);
        targets.append(std::get<ProbeTarget>(target));
    }

    const bool json = command.parser().isSet(jsonOption);
    QElapsedTimer clock;
    clock.start();
    // Lines keep the order of the targets: each is written as soon as those before it are.
    std::vector<std::optional<ProbeResult>> results(targets.size());
    std::size_t nextLine = 0;
    ProbeRun(targets, options).run([&](const ProbeResult &result) {
        results[static_cast<std::size_t>(result.index)] = result;
        for (; !json && nextLine < results.size() && results[nextLine]; ++nextLine)
            output.line(targetText(results[nextLine]->target) + u'\t' + probeOutcomeName(results[nextLine]->outcome));
    });

    const bool allReachable = std::all_of(results.begin(), results.end(), [](const std::optional<ProbeResult> &r) {
        return r && r->outcome == ProbeOutcome::Reachable;
    });
    if (json) {
        QJsonArray list;
        for (const auto &result : results)
            list.append(probeResultJson(*result));
        const QJsonObject report{{QStringLiteral("results"), list},
                                 {QStringLiteral("allReachable"), allReachable},
                                 {QStringLiteral("elapsedMs"), static_cast<qint64>(clock.elapsed())}};
        output.line(QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Indented)).trimmed());
    }
    return allReachable ? ExitSuccess : ExitNotAll;
}

} // namespace tq::cli
