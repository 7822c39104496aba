#include "station/MessageStation.h"

#include "addressbook/AddSenderCommands.h"
#include "addressbook/AddressBookStore.h"
#include "addressbook/ReplyDestination.h"
#include "addressbook/TemplateFiles.h"
#include "messages/AnswerFile.h"
#include "messages/DisplayText.h"
#include "messages/EightBitSenders.h"
#include "messages/QuoteMessage.h"
#include "platform/OwnAddress.h"
#include "platform/SoundPlayer.h"
#include "settings/SettingsStore.h"
#include "station/StationReceivers.h"

#include <utility>

namespace tq {
namespace {

// A record's text without the arrival stamp this station put before it.
QByteArray withoutStampLine(const QByteArray &recordText)
{
    return recordText.sliced(recordText.indexOf('\n') + 1);
}

QStringList filePathsOf(const std::vector<MessageRecord> &records)
{
    QStringList paths;
    for (const MessageRecord &record : records) {
        if (!record.filePath.isEmpty())
            paths.append(record.filePath);
    }
    return paths;
}

} // namespace

MessageStation::MessageStation(SettingsStore &settings, SoundPlayer &sound, const Clock &clock, QString dataDir,
                               QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_sound(sound)
    , m_dataDir(std::move(dataDir))
    , m_ownIp(ownIPv4Address())
    , m_viewer(clock)
    , m_deadFile([this](const QString &text) { Q_EMIT userError(text); }, m_dataDir)
    , m_incoming(m_viewer, m_deadFile, ArrivalStampFormat(), clock)
{
    m_incoming.setAddressBook(&m_addressBook);
    m_incoming.setFileNamedHandler([this](const MessageRecord &record) { Q_EMIT messageFileWritten(record); });
    m_popupOnReceipt = m_settings.get(keys::Popup) != 0;
    m_settingsCopy = readSettings();
    applyIncomingSettings();
    AddressBookStore(m_settings).ensureExists();
    refreshAddressBook();

    m_arrivalTimer.setSingleShot(true);
    m_arrivalTimer.setInterval(0);
    connect(&m_arrivalTimer, &QTimer::timeout, this, &MessageStation::settleArrivals);

    m_receivers = new StationReceivers(this);
    connect(m_receivers, &StationReceivers::incomingMessage, this, &MessageStation::OnIncomingMessage);
    connect(m_receivers, &StationReceivers::incomingMessage, this,
            [this](Transport transport, const ReceivedData &data) {
                if (transport == Transport::Udp)
                    Q_EMIT datagramReceived(data.senderIp, data.data);
            });
    connect(m_receivers, &StationReceivers::stateChanged, this, &MessageStation::receiverStateChanged);
    connect(m_receivers, &StationReceivers::criticalError, this, &MessageStation::userError);
    connect(m_receivers, &StationReceivers::datagramsDropped, this, &MessageStation::tellDatagramsDropped);

    m_sends = new OutgoingSends(m_settings, m_sound, m_dataDir, this);
    connect(m_sends, &OutgoingSends::sendRequested, this, &MessageStation::sendRequested);
    connect(m_sends, &OutgoingSends::sendStarted, this, &MessageStation::sendStarted);
    connect(m_sends, &OutgoingSends::sendProgress, this, &MessageStation::sendProgress);
    connect(m_sends, &OutgoingSends::sendResult, this, &MessageStation::sendResult);
    connect(m_sends, &OutgoingSends::sendFinished, this, &MessageStation::sendFinished);
}

MessageStation::~MessageStation()
{
    m_receivers->stop();
    m_settings.set(keys::Popup, m_popupOnReceipt ? 1 : 0);
}

StationSettings MessageStation::readSettings() const
{
    return StationSettings::read(m_settings, m_dataDir);
}

void MessageStation::reloadSettings()
{
    m_settingsCopy = readSettings();
    if (m_addressBookRead)
        m_destinations.setBroadcastPresent(m_settingsCopy.useProtocol != 0);
    applyIncomingSettings();
    Q_EMIT settingsReloaded();
}

void MessageStation::applyIncomingSettings()
{
    m_deadFile.setTarget(m_settingsCopy.saveDead, m_settingsCopy.deadFileName);
    m_incoming.setSettings(m_settingsCopy.incoming(m_ownIp, m_popupOnReceipt, messagesDir()));
}

void MessageStation::setOwnAddress(const QByteArray &ip)
{
    m_ownIp = ip;
    applyIncomingSettings();
}

// ---- running

void MessageStation::StartProcesses()
{
    const StationSettings now = readSettings();
    m_receivers->start(now.useProtocol, m_listenPorts ? m_listenPorts->first : now.tcpPort,
                       m_listenPorts ? m_listenPorts->second : now.udpPort);
}

void MessageStation::StopProcesses()
{
    m_receivers->stop();
}

CReceiveThread *MessageStation::tcpReceiver() const
{
    return m_receivers->tcp();
}

CUDPReceiveThread *MessageStation::udpReceiver() const
{
    return m_receivers->udp();
}

void MessageStation::overrideListenPorts(int tcpPort, int udpPort)
{
    m_listenPorts = std::pair(tcpPort, udpPort);
}

// ---- the incoming road

void MessageStation::OnIncomingMessage(Transport transport, const ReceivedData &received)
{
    const IncomingDecision decision = m_incoming.OnIncomingMessage(transport, received);
    if (decision.diskSpaceChanged)
        tellDiskSpace(m_incoming.diskNearlyFull());
    if (decision.outcome != IncomingDecision::Outcome::Accepted)
        return;
    // The display, the pop-up, the quote and the counters follow the last of the messages
    // that are waiting to be handled; they run when the queue has been worked off.
    m_pendingArrival.restoreWindow |= decision.restoreWindow;
    m_pendingArrival.offerQuote = decision.offerQuote;
    if (!m_arrivalTimer.isActive())
        m_arrivalTimer.start();
    Q_EMIT messageArrived(*messages().newest());
    Q_EMIT messageArrivedBy(transport, *messages().newest());
    if (decision.answerAutomatically)
        answerAutomatically();
    if (decision.sound)
        m_sound.play(*decision.sound, SoundPlayer::Fallback::Beep);
    m_viewer.markArrival();
}

void MessageStation::settleArrivals()
{
    ArrivalSummary summary = std::exchange(m_pendingArrival, {});
    // The user may have started typing, or switched AutoAnswer on, since the arrival.
    summary.offerQuote = summary.offerQuote && messages().current() && composeReplaceable() && !autoAnswerMode();
    if (const MessageRecord *newest = messages().newest())
        summary.newestText = decodeMessageBytes(withoutStampLine(newest->text));
    Q_EMIT arrivalsSettled(summary);
    Q_EMIT countersChanged();
}

void MessageStation::flushFiles()
{
    m_incoming.flushFiles();
}

void MessageStation::answerAutomatically()
{
    if (!m_draftSource)
        return;
    // The text goes to whatever the destination field holds now, marked as an automatic
    // answer; the send runs on its own and nothing here waits for it.
    OutgoingDraft draft = m_draftSource();
    draft.importance = '0';
    draft.automaticAnswer = true;
    const OutgoingPlan plan = planSend(draft);
    if (plan.verdict == OutgoingPlan::Verdict::Refused)
        Q_EMIT automaticAnswerRefused();
    else
        send(plan); // an automatic answer is nobody's command: it fails quietly
}

QString MessageStation::replyDestinationOfShown() const
{
    const MessageRecord *current = messages().current();
    return current ? replyDestination(decodeMessageBytes(current->sender)) : QString();
}

// ---- commands

bool MessageStation::selectPrevious()
{
    if (!m_viewer.messages().stepOlder())
        return false;
    Q_EMIT countersChanged();
    return true;
}

bool MessageStation::selectNext()
{
    if (!m_viewer.messages().stepNewer())
        return false;
    Q_EMIT countersChanged();
    return true;
}

MessageViewer::Removal MessageStation::removed(const MessageViewer::Removal &outcome, const QStringList &files)
{
    if (outcome.removed) {
        Q_EMIT messagesRemoved(files);
        Q_EMIT countersChanged();
    }
    return outcome;
}

MessageViewer::Removal MessageStation::deleteCurrent()
{
    // A file still waiting to be written would come back after its deletion.
    flushFiles();
    const MessageRecord *current = messages().current();
    const QString path = current ? current->filePath : QString();
    const MessageViewer::Removal outcome = m_viewer.deleteCurrent(m_settingsCopy.minOnDelLast);
    return removed(outcome, path.isEmpty() ? QStringList() : QStringList{path});
}

quint64 MessageStation::discardMark() const
{
    const MessageRecord *newest = messages().newest();
    return newest ? newest->serial : 0;
}

MessageViewer::Removal MessageStation::discardAll(quint64 mark)
{
    flushFiles();
    std::vector<MessageRecord> gone;
    const MessageViewer::Removal outcome = m_viewer.discardThrough(mark, m_settingsCopy.minOnDelLast, &gone);
    return removed(outcome, filePathsOf(gone));
}

void MessageStation::togglePopupOnReceipt()
{
    m_popupOnReceipt = !m_popupOnReceipt;
    m_incoming.setPopupOnArrival(m_popupOnReceipt);
    m_settings.set(keys::Popup, m_popupOnReceipt ? 1 : 0);
}

void MessageStation::composeEditedByUser(const QString &text)
{
    m_viewer.composeEditedByUser(text);
}

std::optional<MessageStation::QuoteProposal> MessageStation::proposeQuote(QuoteOffer how) const
{
    // The compose box holds the answer text while AutoAnswer is on.
    const MessageRecord *shown = messages().current();
    if (autoAnswerMode() || !shown)
        return std::nullopt;
    // Only the serial crosses a question: while it is open, arrivals are handled and may trim
    // the list past its limit, which frees the oldest record.
    return QuoteProposal{shown->serial, how == QuoteOffer::AskWhenChanged && !composeReplaceable()};
}

std::optional<QString> MessageStation::takeQuote(quint64 serial)
{
    // The user said yes to the message then on display; another one is not quoted in its place.
    const MessageRecord *shown = messages().current();
    if (!shown || shown->serial != serial || autoAnswerMode())
        return std::nullopt;
    m_viewer.setComposeReplaceable(true);
    return displayText(QuoteMessage(shown->text));
}

MessageStation::AutoAnswerOn MessageStation::switchAutoAnswerOn()
{
    AutoAnswerOn on;
    // Without an answer file the compose box stays as it is; the mode goes on all the same.
    if (const std::optional<QByteArray> answer = readAnswerFile(answerFilePath(m_dataDir)))
        on.answerText = displayText(*answer);
    on.replaceCompose = composeReplaceable();
    m_viewer.setAutoAnswerMode(true);
    m_viewer.setComposeReplaceable(true);
    return on;
}

std::optional<ShownReply> MessageStation::switchAutoAnswerOff(const QString &answerText)
{
    // A failed write is not worth a box: the mode goes off and the old answer stays.
    writeAnswerFile(withCrLf(answerText).toUtf8(), answerFilePath(m_dataDir));
    m_viewer.setAutoAnswerMode(false);
    m_viewer.setComposeReplaceable(true);
    const MessageRecord *current = messages().current();
    if (!current)
        return std::nullopt;
    return ShownReply{displayText(QuoteMessage(current->text)), replyDestinationOfShown()};
}

std::optional<QString> MessageStation::composeTextAfterPick(qsizetype entry, const QString &composeText) const
{
    if (entry < 0 || entry >= m_destinations.size())
        return std::nullopt;
    const DestinationEntry &picked = m_destinations.at(entry);
    std::optional<QString> text =
        addressbook::composeTextAfterPick(m_dataDir, picked.text, picked.code, composeReplaceable(), composeText);
    if (text)
        text->replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::optional<QString> MessageStation::addSenderToAddressBook(int commandId, Prompter &prompter)
{
    const MessageRecord *current = messages().current();
    if (!current)
        return std::nullopt;
    // A copy: the boxes below run their own event loops, whose arrivals may free the record.
    const QString sender = decodeMessageBytes(current->sender);
    AddressBookStore store(m_settings);
    AddSenderCommands commands(store, prompter, m_sound);
    std::optional<QString> destination;
    if (commandId == kAddSenderOutsideCommand)
        destination = commands.addToTopLevel(sender);
    else if (commandId == kAddSenderJunkCommand)
        destination = commands.addToJunkSenders(sender);
    else
        destination = commands.addToGroupItem(commandId, sender);
    if (destination)
        refreshAddressBook();
    return destination;
}

// ---- sending

OutgoingPlan MessageStation::planSend(const OutgoingDraft &draft)
{
    const OutgoingSender sender = m_settingsCopy.sender(m_ownIp, eightBitSenderHosts(messages()));
    return m_sends->plan(draft, sender, m_destinations, m_addressBook, m_settingsCopy.useProtocol);
}

bool MessageStation::broadcastAnswered(const Prompter::CheckedAnswer &reply)
{
    return m_sends->broadcastAnswered(reply);
}

SendStart MessageStation::send(const OutgoingPlan &plan)
{
    const SendStart start = m_sends->send(plan);
    if (start.outcome == SendStart::Outcome::Started || start.outcome == SendStart::Outcome::NothingToSend)
        m_viewer.setComposeReplaceable(true);
    return start;
}

void MessageStation::setSendStarter(std::function<void(const SendRequest &)> starter)
{
    m_sends->setSendStarter(std::move(starter));
}

int MessageStation::runningSends() const
{
    return m_sends->runningCount();
}

// ---- the address book

void MessageStation::refreshAddressBook()
{
    AddressBookRefresh refresh = RefreshAddressBook(AddressBookStore(m_settings), m_settingsCopy.useProtocol != 0);
    m_addressBook = std::move(refresh.snapshot);
    m_destinations = std::move(refresh.destinations);
    m_senderGroupItems = std::move(refresh.senderGroupItems);
    m_addressBookRead = true;
    Q_EMIT addressBookChanged();
}

} // namespace tq
