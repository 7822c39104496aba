#include "cli/SendCommand.h"

#include "cli/CallSettings.h"
#include "cli/CommandOutput.h"
#include "cli/SendDestinations.h"
#include "cli/SendReport.h"
#include "cli/SilentSound.h"
#include "cli/SubcommandParser.h"
#include "platform/Clock.h"
#include "queue/DeliveryQueue.h"
#include "queue/QueueUnconfirmed.h"
#include "settings/AppDataDir.h"
#include "station/MessageStation.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

#include <algorithm>
#include <variant>

namespace tq::cli {
namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SendCommand", text);
}

// The options of "tarquel send", their descriptions in the user's language.
struct SendOptions {
    QCommandLineOption message{{QStringLiteral("m"), QStringLiteral("message")},
                               tr("Sends TEXT (without it, the text comes from standard input)."),
                               QStringLiteral("TEXT")};
    QCommandLineOption udp{QStringLiteral("udp"), tr("Sends by UDP only, as \"UseProtocol\" 1 does.")};
    QCommandLineOption tcp{QStringLiteral("tcp"), tr("Sends by TCP only, as \"UseProtocol\" 0 does.")};
    QCommandLineOption high{QStringLiteral("high"), tr("Sends with high importance.")};
    QCommandLineOption budget{QStringLiteral("budget"),
                              tr("Gives the whole send MS milliseconds (default: \"Delay\" of your settings)."),
                              QStringLiteral("MS")};
    QCommandLineOption noSignature{QStringLiteral("no-signature"), tr("Leaves the signature out.")};
    QCommandLineOption fullName{QStringLiteral("full-name"), tr("Signs the heading with TEXT."),
                                QStringLiteral("TEXT")};
    QCommandLineOption systemName{QStringLiteral("system-name"), tr("Sends as the system name TEXT."),
                                  QStringLiteral("TEXT")};
    QCommandLineOption json{QStringLiteral("json"), tr("Writes one JSON object with every destination's outcome.")};
    QCommandLineOption broadcastOk{QStringLiteral("broadcast-ok"),
                                   tr("Allows a send that reaches every station of the network.")};
    QCommandLineOption later{QStringLiteral("later"),
                             tr("Keeps the message for the network destinations that did not confirm it and "
                                "delivers it when they are reachable.")};
};

std::optional<int> parseBudget(const QString &text)
{
    if (text.isEmpty() || text.size() > 6
        || !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const int value = text.toInt();
    if (value < 1 || value > SendCommand::kLongestBudgetMs)
        return std::nullopt;
    return value;
}

} // namespace

QString SendCommand::summary() const
{
    return tr("Sends a message as the window sends it.");
}

std::optional<QString> SendCommand::messageText(const SubcommandParser &command, const QCommandLineOption &message,
                                                CommandOutput &output) const
{
    QString text;
    QString source = QStringLiteral("-m");
    if (command.parser().isSet(message)) {
        text = command.parser().value(message);
    } else {
        source = tr("standard input");
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            command.usageError(tr("standard input cannot be read"), output);
            return std::nullopt;
        }
        QStringDecoder utf8(QStringDecoder::Utf8);
        text = utf8.decode(in.readAll());
        if (utf8.hasError()) {
            command.usageError(tr("standard input: the text is not UTF-8"), output);
            return std::nullopt;
        }
        // The line end that closes the last line of a file or of echo is not part of the message.
        if (text.endsWith(u'\n'))
            text.chop(text.endsWith(QStringLiteral("\r\n")) ? 2 : 1);
    }
    if (text.trimmed().isEmpty()) {
        command.usageError(tr("%1: the message text is empty").arg(source), output);
        return std::nullopt;
    }
    return text;
}

int SendCommand::run(const QStringList &arguments, CommandOutput &output)
{
    SubcommandParser command(
        name(), QStringLiteral("[options] DESTINATION... [-m TEXT]"),
        tr("Sends one message to every DESTINATION at once, assembled exactly as the window sends it with your "
           "settings: heading, signature, ports and encoding. Options change the settings for this send only; "
           "they are never written.\n"
           "Prints nothing when every destination confirmed the message; otherwise one line on standard error for "
           "each that did not (\"not confirmed: HOST\"), and the outcome of any mail.\n"
           "Exit status: 0 when every network destination confirmed and any mail was sent, 1 when some did not, "
           "2 for bad usage or bad input."));
    const SendOptions sendOptions;
    for (const QCommandLineOption *option :
         {&sendOptions.message, &sendOptions.udp, &sendOptions.tcp, &sendOptions.high, &sendOptions.budget,
          &sendOptions.noSignature, &sendOptions.fullName, &sendOptions.systemName, &sendOptions.json,
          &sendOptions.broadcastOk, &sendOptions.later})
        command.addOption(*option);
    command.addPositionalArgument(
        QStringLiteral("DESTINATION"),
        tr("A user or group of your address book by name, \"< All users >\", \"< All (broadcast) >\", a host or "
           "IPv4 address with an optional \":PORT\" and \"u\" for UDP, \"Name/host:port\", or an e-mail address."));
    if (const auto status = command.parse(arguments, output))
        return *status;
    const QCommandLineParser &options = command.parser();

    if (options.isSet(sendOptions.tcp) && options.isSet(sendOptions.udp))
        return command.usageError(tr("--tcp and --udp: give one of them"), output);
    std::optional<int> budget;
    if (options.isSet(sendOptions.budget)) {
        budget = parseBudget(options.value(sendOptions.budget));
        if (!budget)
            return command.usageError(tr("--budget %1: give the milliseconds of the whole send, from 1 to %2")
                                          .arg(options.value(sendOptions.budget))
                                          .arg(kLongestBudgetMs),
                                      output);
    }
    const QStringList wanted = options.positionalArguments();
    if (wanted.isEmpty())
        return command.usageError(tr("no DESTINATION given"), output);
    const std::optional<QString> text = messageText(command, sendOptions.message, output);
    if (!text)
        return ExitBadUsage;

    CallSettings call;
    if (!call.isValid()) {
        output.errorLine(tr("tarquel send: no private folder for the settings of this send; nothing was sent"));
        return ExitNotAll;
    }
    SettingsStore &settings = call.store();
    if (options.isSet(sendOptions.tcp) || options.isSet(sendOptions.udp))
        settings.set(keys::UseProtocol, options.isSet(sendOptions.udp) ? 1 : 0);
    if (budget)
        settings.set(keys::Delay, *budget);
    if (options.isSet(sendOptions.noSignature))
        settings.set(keys::Signature, QString());
    if (options.isSet(sendOptions.fullName))
        settings.set(keys::FullName, options.value(sendOptions.fullName));
    if (options.isSet(sendOptions.systemName))
        settings.set(keys::SystemName, options.value(sendOptions.systemName));

    const QString dataDir = AppDataDir::compute();
    AppDataDir::createFolders(dataDir);
    SilentSound sound;
    MessageStation station(settings, sound, steadyClock(), dataDir);

    const auto destinations = resolveSendDestinations(wanted, station.destinations(), station.addressBook());
    if (const QString *fault = std::get_if<QString>(&destinations))
        return command.usageError(*fault, output);
    OutgoingDraft draft;
    draft.composeText = *text;
    draft.destinationText = std::get<SendDestinations>(destinations).destinationText;
    draft.selectedIndex = std::get<SendDestinations>(destinations).selectedIndex;
    draft.importance = options.isSet(sendOptions.high) ? '1' : '0';
    const OutgoingPlan plan = station.planSend(draft);
    if (plan.verdict == OutgoingPlan::Verdict::NoSystemName)
        return command.usageError(tr("no system name: stations would file the message away unread; set one in "
                                     "the preferences or give --system-name"),
                                  output);
    if (plan.verdict != OutgoingPlan::Verdict::Ready)
        return command.usageError(tr("no DESTINATION given"), output);
    const QString &recipients = plan.message.request.destinations;
    if (reachesBroadcast(recipients, station.settings().useProtocol) && !options.isSet(sendOptions.broadcastOk))
        return command.usageError(
            tr("%1: this reaches every station of the network; give --broadcast-ok to send it").arg(wanted.join(u' ')),
            output);

    SendReport report(recipients);
    QEventLoop loop;
    QObject::connect(&station, &MessageStation::sendResult, &loop,
                     [&report](quint64, SendResultCode code, const QString &result) { report.record(code, result); });
    QObject::connect(&station, &MessageStation::sendFinished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    const SendStart start = station.send(plan);
    if (start.outcome == SendStart::Outcome::TemplateWriteFailed) {
        output.errorLine(tr("tarquel send: %1 cannot be written; nothing was sent").arg(start.templateFile));
        return ExitNotAll;
    }
    if (start.outcome != SendStart::Outcome::Started)
        return command.usageError(tr("%1: resolves to nobody").arg(wanted.join(u' ')), output);
    loop.exec();

    // The running station (window or receive) delivers what waits in the user's queue.
    QueueingOutcome kept;
    if (options.isSet(sendOptions.later) && !report.notConfirmed().isEmpty()) {
        kept = queueUnconfirmed(DeliveryQueue(dataDir), plan.message.request, report.notConfirmed(),
                                station.settings().useProtocol, QDateTime::currentDateTime());
    }
    for (const QString &line : report.errorLines())
        output.errorLine(line);
    for (const QString &line : kept.failed)
        output.errorLine(tr("tarquel send: not kept for delivery later: %1").arg(line));
    if (options.isSet(sendOptions.json)) {
        QJsonObject json = report.json(clock.elapsed());
        if (options.isSet(sendOptions.later))
            json.insert(QStringLiteral("queued"), QJsonArray::fromStringList(kept.queued));
        output.line(QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact)));
    } else {
        for (const QString &destination : kept.queued)
            output.line(tr("%1: waits for delivery when reachable").arg(destination));
    }
    return report.allConfirmed() ? ExitSuccess : ExitNotAll;
}

} // namespace tq::cli
