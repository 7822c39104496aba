#include "cli/ReceiveCommand.h"

#include "addressbook/ReplyDestination.h"
#include "cli/ArrivalPrinter.h"
#include "cli/CommandOutput.h"
#include "cli/SilentSound.h"
#include "cli/SubcommandParser.h"
#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/TerminationSignals.h"
#include "protocol/CUDPReceiveThread.h"
#include "protocol/WireText.h"
#include "queue/RetryScheduler.h"
#include "queue/StationDeliveryLater.h"
#include "res/StringTable.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"
#include "station/MessageStation.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTimer>

namespace tq::cli {
namespace {

constexpr int kUdpReadyWaitMs = 5000;

} // namespace

bool ReceiveCommand::answerAutomatically(MessageStation &station)
{
    const MessageStation::AutoAnswerOn on = station.switchAutoAnswerOn();
    if (!on.answerText)
        return false;
    // The window answers from its compose box to its destination field; without them, the
    // answer goes to the sender of the message that has just arrived.
    station.setDraftSource([&station, text = *on.answerText] {
        OutgoingDraft draft;
        draft.composeText = text;
        if (const MessageRecord *newest = station.messages().newest())
            draft.destinationText = replyDestination(decodeMessageBytes(newest->sender));
        return draft;
    });
    return true;
}

QString ReceiveCommand::summary() const
{
    return tr("Receives messages without the window and prints them.");
}

int ReceiveCommand::run(const QStringList &arguments, CommandOutput &output)
{
    SubcommandParser command(
        name(), QStringLiteral("[options]"),
        tr("Runs the station without its window, with your settings: filters, receipts, message files. Prints "
           "each message it accepts as it arrives: the arrival stamp, the sender and the text, or with --json one "
           "object a line. Delivers the messages waiting for delivery when reachable, as the window does. SIGTERM, "
           "SIGINT (Ctrl+C) and SIGHUP end it once every message file is written.\n"
           "It refuses to run while the window program runs for the same user: the two would fight over the ports.\n"
           "Exit status: 0 when ended by a signal, 2 for bad usage or a busy port."));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        tr("Writes each message as one JSON object on a line of its own."));
    const QCommandLineOption tcpPortOption(QStringLiteral("tcp-port"),
                                           tr("Listens on TCP port N instead of the one of your settings."),
                                           QStringLiteral("N"));
    const QCommandLineOption udpPortOption(QStringLiteral("udp-port"),
                                           tr("Listens on UDP port N instead of the one of your settings."),
                                           QStringLiteral("N"));
    const QCommandLineOption autoAnswerOption(
        QStringLiteral("auto-answer"),
        tr("Answers each accepted message with your automatic answer, as the window does while AutoAnswer is on."));
    command.addOption(jsonOption);
    command.addOption(autoAnswerOption);
    command.addOption(tcpPortOption);
    command.addOption(udpPortOption);
    if (const auto status = command.parse(arguments, output))
        return *status;
    if (!command.parser().positionalArguments().isEmpty())
        return command.usageError(
            tr("%1: receive takes no arguments").arg(command.parser().positionalArguments().first()), output);

    SettingsStore settings;
    const auto tcpPort = command.portOption(tcpPortOption, tq::tcpPort(settings), output);
    if (!tcpPort)
        return ExitBadUsage;
    const auto udpPort = command.portOption(udpPortOption, effectiveUdpPort(settings), output);
    if (!udpPort)
        return ExitBadUsage;
    // The window program holds this lock while it runs; it receives the user's messages then.
    if (instanceLockHeld(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))) {
        output.errorLine(tr("tarquel receive: Tarquel Messenger already runs for this user and receives the "
                            "messages; two stations would fight over the ports"));
        return ExitBadUsage;
    }

    AppDataDir::initialise();
    const QString dataDir = AppDataDir::path();
    SilentSound sound;
    MessageStation station(settings, sound, steadyClock(), dataDir);
    if (command.parser().isSet(autoAnswerOption) && !answerAutomatically(station))
        return command.usageError(tr("--auto-answer: there is no automatic answer yet; write it in the window first"),
                                  output);
    ArrivalPrinter printer(station, output, command.parser().isSet(jsonOption));
    QEventLoop loop;
    // The receivers' own texts, as the window's status pane shows them.
    QObject::connect(&station, &MessageStation::receiverStateChanged, &loop,
                     [&](Transport, SendResultCode code, const QString &text) {
                         if (code == SendResultCode::Listening) {
                             output.errorLine(text + tqString(Sid::ListeningSuffix));
                         } else if (code == SendResultCode::PortBusy) {
                             output.errorLine(text + tqString(Sid::PortBusyStatusSuffix));
                             loop.exit(ExitBadUsage);
                         }
                     });
    // What the window would tell in a box; it goes on receiving as the window does.
    QObject::connect(&station, &MessageStation::userError, &loop, [&](const QString &text) { output.errorLine(text); });
    // The user's waiting messages go out from here as from the window: what "tarquel send
    // --later" keeps is tried at the next round at the latest. Reported beside the receivers'
    // texts, away from the messages on standard output.
    StationDeliveryLater later(station, settings);
    for (const auto report : {&RetryScheduler::delivered, &RetryScheduler::notDelivered, &RetryScheduler::problem})
        QObject::connect(&later.scheduler(), report, &loop, [&output](const QString &text) { output.errorLine(text); });
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &loop,
                     [&loop] { loop.exit(ExitSuccess); });

    station.overrideListenPorts(*tcpPort, *udpPort);
    station.loadStoredMessages();
    station.StartProcesses();
    later.start();
    // The UDP receiver says nothing once it listens; a terminal (and a script waiting for the
    // station to be ready) is told in the TCP listener's words.
    QTimer udpReady;
    QDeadlineTimer udpDeadline(kUdpReadyWaitMs);
    QObject::connect(&udpReady, &QTimer::timeout, &loop, [&] {
        const CUDPReceiveThread *udp = station.udpReceiver();
        // One that could not bind has said why, and ends.
        if (udp && udp->boundPort() == 0 && !udpDeadline.hasExpired())
            return;
        if (udp && udp->boundPort() != 0)
            output.errorLine(tqFormat(Sid::UdpPortFormat, udp->boundPort()) + tqString(Sid::ListeningSuffix));
        udpReady.stop();
    });
    udpReady.start(5);
    const int status = loop.exec();
    later.stop();
    station.StopProcesses();
    // Packets the receivers acknowledged just before the signal wait in the event queue; they
    // are the sender's delivered messages and must not be lost.
    QCoreApplication::sendPostedEvents();
    printer.flush();
    return status;
}

} // namespace tq::cli
