#pragma once

#include "addressbook/AddressBookSnapshot.h"
#include "addressbook/DestinationList.h"
#include "addressbook/RefreshAddressBook.h"
#include "messages/FilteredMessageFile.h"
#include "messages/IncomingMessageHandler.h"
#include "messages/MessageFiles.h"
#include "messages/MessageViewer.h"
#include "platform/Prompter.h"
#include "protocol/ReceivedData.h"
#include "protocol/SendResultCode.h"
#include "station/OutgoingAssembly.h"
#include "station/OutgoingSends.h"
#include "station/StationSettings.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace tq {

class CReceiveThread;
class CUDPReceiveThread;
class Clock;
class FreeSpaceProbe;
class SettingsStore;
class SoundPlayer;
class StationReceivers;

// How the messages that arrived in one burst are to be shown, once the last of them is handled.
struct ArrivalSummary {
    bool restoreWindow = false; // the pop-up: bring the main window up
    bool offerQuote = false; // the shown message's sender into the destination, its quote offered
    std::optional<QString> newestText; // the newest message as it came, without the arrival stamp
};

// A reply prepared for the shown message.
struct ShownReply {
    QString quote; // for the compose box, line breaks as LF
    QString destination; // its sender, for the destination field
};

// The messenger's core, without any window: both message roads. It owns the TCP listener and
// the UDP receiver, the incoming road with its filters, receipts and files, the message list
// with its selection and flags, the address-book snapshot and destination list it consults,
// the outgoing assembly and the send tasks with their reports. Windows show its state and
// turn the user's actions into its commands; the questions they ask stay theirs, what is
// decided before and after them is the station's. Lives on the user-interface thread.
class MessageStation : public QObject {
    Q_OBJECT
public:
    // How a quote of the shown message is offered.
    enum class QuoteOffer {
        Replace, // start-up load and arrival: the compose box holds nothing of the user's
        AskWhenChanged, // paging and deleting: ask first when the user has typed something
    };
    // A quote that may go into the compose box; `ask`: only once the user has agreed.
    struct QuoteProposal {
        quint64 serial = 0; // the record it quotes
        bool ask = false;
    };
    // Switching AutoAnswer on: the answer text (none without an answer file) and whether it
    // takes the compose box's place or follows the user's own text.
    struct AutoAnswerOn {
        std::optional<QString> answerText;
        bool replaceCompose = true;
    };

    // `dataDir`: the application-data folder (ending in '/'), with the message files in its
    // "messages/". The settings are read now; the address book is created when it is missing.
    MessageStation(SettingsStore &settings, SoundPlayer &sound, const Clock &clock, QString dataDir,
                   QObject *parent = nullptr);
    // Stops the receivers and the sends; the message files still being written are finished.
    ~MessageStation() override;

    // ---- running
    // The receivers chosen by "UseProtocol", on the ports of the settings as they are now.
    // Running receivers are stopped first, so a second start never leaves two behind.
    void StartProcesses();
    // Stops the receivers; returns once their threads have ended.
    void StopProcesses();
    // The receivers bind these ports instead of those of the settings, which the messages
    // still name; 0 lets the system choose (tests that run beside other programs read the
    // chosen ports back from the receivers).
    void overrideListenPorts(int tcpPort, int udpPort);
    CReceiveThread *tcpReceiver() const;
    CUDPReceiveThread *udpReceiver() const;
    // With "StoreAndLoad": the stored messages, the newest shown or with "DontAutoLast" the oldest.
    StoredMessagesLoad loadStoredMessages();
    // The settings have changed.
    void reloadSettings();
    const StationSettings &settings() const { return m_settingsCopy; }
    const QString &dataDir() const { return m_dataDir; }
    // The own IPv4 address, looked up when the station was made; the packets name it for replies.
    const QByteArray &ownAddress() const { return m_ownIp; }
    void setOwnAddress(const QByteArray &ip);

    // ---- the message list
    const MessageList &messages() const { return m_viewer.messages(); }
    const MessageViewer &viewer() const { return m_viewer; }
    MessageViewer &viewer() { return m_viewer; }
    bool autoAnswerMode() const { return m_viewer.autoAnswerMode(); }
    bool composeReplaceable() const { return m_viewer.composeReplaceable(); }
    bool popupOnReceipt() const { return m_popupOnReceipt; }
    // The sender of the shown message as a destination; empty when nothing is shown.
    QString replyDestinationOfShown() const;

    // ---- the incoming road
    // The hand-over of both receivers: every received packet comes here, on this thread.
    void OnIncomingMessage(tq::Transport transport, const tq::ReceivedData &received);
    IncomingMessageHandler &incomingHandler() { return m_incoming; }
    // Returns once every message file handed to the writer is on disk and named in its record.
    void flushFiles();

    // ---- commands
    bool selectPrevious();
    bool selectNext();
    // Deletes the shown message and its file (refused shortly after an arrival).
    MessageViewer::Removal deleteCurrent();
    // The newest serial before "Discard all" asks; discardAll() takes nothing newer, so a
    // message that arrives while the question is open stays.
    quint64 discardMark() const;
    MessageViewer::Removal discardAll(quint64 mark);
    // Deletes the message file `filePath` and the record that names it, if the list holds one.
    void removeMessageFile(const QString &filePath);
    void togglePopupOnReceipt();
    // Every change the user makes to the compose text.
    void composeEditedByUser(const QString &text);
    std::optional<QuoteProposal> proposeQuote(QuoteOffer how) const;
    // The quote of the record the proposal named, when it is still the one shown and AutoAnswer
    // is off; the compose box may then be replaced again without asking.
    std::optional<QString> takeQuote(quint64 serial);
    AutoAnswerOn switchAutoAnswerOn();
    // Keeps `answerText` in the answer file (a failed write is not worth a box) and returns the
    // reply to the shown message that takes its place, if a message is shown.
    std::optional<ShownReply> switchAutoAnswerOff(const QString &answerText);
    // The text a picked destination entry brings into the compose box, if any.
    std::optional<QString> composeTextAfterPick(qsizetype entry, const QString &composeText) const;
    // "Add sender to...": files the shown message's sender (command 32815, 32816 or a group
    // item), asking through `prompter` where the address book needs an answer. Returns the
    // destination text for the field when the address book was dealt with.
    std::optional<QString> addSenderToAddressBook(int commandId, Prompter &prompter);

    // ---- the address book
    void refreshAddressBook();
    const AddressBookSnapshot &addressBook() const { return m_addressBook; }
    // The destination list as the destination field offers it.
    const DestinationList &destinations() const { return m_destinations; }
    const QList<GroupMenuItem> &senderGroupItems() const { return m_senderGroupItems; }

    // ---- sending
    OutgoingPlan planSend(const OutgoingDraft &draft);
    // The user's answer to the broadcast question: whether to send (see OutgoingSends).
    bool broadcastAnswered(const Prompter::CheckedAnswer &reply);
    // After a send that went out (or had nobody to go to) the compose box may be replaced again.
    SendStart send(const OutgoingPlan &plan);
    // Where an automatic answer takes its text and destination from: the window's compose box
    // and destination field. Without one no automatic answer goes out.
    void setDraftSource(std::function<OutgoingDraft()> source) { m_draftSource = std::move(source); }
    // Takes the requests of the sends in place of the send tasks (see OutgoingSends).
    void setSendStarter(std::function<void(const SendRequest &)> starter);
    int runningSends() const;

    // ---- keeping what is acknowledged
    // Off: message files are not flushed to the disk before their senders hear (benchmarks).
    void setFlushToDisk(bool on);
    // Tests fake a full disk.
    void setFreeSpaceProbe(std::shared_ptr<const FreeSpaceProbe> probe);

Q_SIGNALS:
    // An accepted message, the moment it joined the list.
    void messageArrived(const tq::MessageRecord &record);
    // The messages that arrived together have all been handled: show them.
    void arrivalsSettled(const tq::ArrivalSummary &summary);
    // Messages left the list by a command; their files are gone.
    void messagesRemoved(const QStringList &filePaths);
    // The count or the position in the list changed.
    void countersChanged();
    void addressBookChanged();
    void settingsReloaded();
    // The start-up load left files aside that are larger than any this program writes.
    void largeMessageFilesSkipped(int count);
    void sendStarted(quint64 send, bool automaticAnswer);
    // Also, with send 0, a notice of the station's own for the status line (datagrams dropped
    // in a flood, the disk nearly full and back).
    void sendProgress(quint64 send, const QString &text);
    void sendResult(quint64 send, tq::SendResultCode code, const QString &text);
    void sendFinished(quint64 send);
    void automaticAnswerRefused();
    // A receiver's state: SendResultCode::Listening or PortBusy, with "TCP port %d" or "UDP port %d".
    void receiverStateChanged(tq::Transport transport, tq::SendResultCode code, const QString &text);
    // Something the user must be told in a box.
    void userError(const QString &text);
    // The same accepted message as messageArrived, with the road it came by.
    void messageArrivedBy(tq::Transport transport, const tq::MessageRecord &record);
    // The disk holding the data folder became nearly full (new messages in memory only, the
    // notice in `text` for the tray tip too), or has room again.
    void diskSpaceChanged(bool nearlyFull, const QString &text);
    // The start-up load read these message files; the records in the list share their bytes.
    void storedMessagesRead(const std::vector<tq::StoredMessageFile> &files);
    // The file of an accepted message is on disk and named in its record.
    void messageFileWritten(const tq::MessageRecord &record);
    // Every datagram the UDP receiver got, whatever it holds (delivery receipts among them).
    void datagramReceived(const QByteArray &senderIp, const QByteArray &data);
    // What send `send` asks for; just before its sendStarted.
    void sendRequested(quint64 send, const tq::SendRequest &request);

private:
    StationSettings readSettings() const;
    void applyIncomingSettings();
    QString messagesDir() const { return m_dataDir + QStringLiteral("messages/"); }
    void settleArrivals();
    void tellDatagramsDropped(quint64 count);
    void tellDiskSpace(bool nearlyFull);
    void answerAutomatically();
    MessageViewer::Removal removed(const MessageViewer::Removal &outcome, const QStringList &files);

    SettingsStore &m_settings;
    SoundPlayer &m_sound;
    const QString m_dataDir;
    StationSettings m_settingsCopy;
    QByteArray m_ownIp;
    bool m_popupOnReceipt = false;
    std::optional<std::pair<int, int>> m_listenPorts;

    MessageViewer m_viewer;
    AddressBookSnapshot m_addressBook;
    DestinationList m_destinations;
    QList<GroupMenuItem> m_senderGroupItems;
    bool m_addressBookRead = false;
    FilteredMessageFile m_deadFile;
    IncomingMessageHandler m_incoming;
    // Messages that arrive together are shown once, when the last of them has been handled:
    // a burst costs one display, not one for each message.
    QTimer m_arrivalTimer;
    ArrivalSummary m_pendingArrival;

    StationReceivers *m_receivers = nullptr;

    OutgoingSends *m_sends = nullptr;
    std::function<OutgoingDraft()> m_draftSource;
};

} // namespace tq
