#pragma once

#include "addressbook/AddressBookSnapshot.h"
#include "addressbook/DestinationComboBox.h"
#include "messages/FilteredMessageFile.h"
#include "messages/IncomingMessageHandler.h"
#include "messages/MessageViewer.h"
#include "protocol/ReceivedData.h"
#include "station/StationSettings.h"

#include <QFont>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;

namespace tq {

class Clock;
class MessageEdit;
class Prompter;
class SendTasks;
struct SendRequest;
class SendTimeDisplay;
class SettingsStore;
class SoundPlayer;
class TrayIcon;

// The main window's message view: the received message on display, the splitter, the
// destination box, the AutoAnswer check box, the importance mark, the compose box and the
// Send button, with the commands that page through the messages and delete them.
// The decisions are MessageViewer's; this class shows them and forwards the user's actions.
class CTq20View : public QWidget {
    Q_OBJECT
public:
    enum class Command {
        Previous,
        Next,
        Delete,
        DiscardAll,
        PopupOnReceipt,
        AddSenderOutsideAnyGroup,
        AddSenderJunk,
        Send,
        SendHighImportance,
        Undo,
        Cut,
        Copy,
        Paste,
        SelectAll,
    };
    // How a quote of the shown message is offered to the compose box.
    enum class QuoteOffer {
        Replace, // start-up load and arrival: the compose box holds nothing of the user's
        AskWhenChanged, // paging and deleting: ask first when the user has typed something
    };
    // The main window's status bar panes the view writes: the mode text, the send timer and
    // the position in the message list.
    struct StatusPanes {
        QLabel *mode = nullptr;
        QLabel *sendTime = nullptr;
        QLabel *position = nullptr;
    };

    // Never less than this is left below the message pane.
    static constexpr int kBelowSplitter = 70;
    static constexpr int kSplitterBand = 5;

    CTq20View(SettingsStore &settings, Prompter &prompter, SoundPlayer &sound, TrayIcon &tray, const Clock &clock,
              QWidget *parent = nullptr);
    // Keeps "Popup" and "BottomRecText" for the next run. Message files stay.
    ~CTq20View() override;

    // Once, after the view has been placed in its frame: the font check, the stored messages
    // ("StoreAndLoad"), the counters and the first showing of the tray icon.
    void OnInitialUpdate();
    // Title, tray icon and tip, position pane, importance mark and command states.
    void RefreshCounters();

    // The incoming-message event of both receivers: the handler decides, the view shows.
    void OnIncomingMessage(tq::Transport transport, const tq::ReceivedData &received);
    IncomingMessageHandler &incomingHandler() { return m_incoming; }
    // The own IPv4 address, looked up when the view was built.
    const QByteArray &ownAddress() const { return m_ownIp; }

    void ShowNextMessage();
    void ShowPreviousMessage();
    void DeleteCurrentMessage();
    void DiscardAllMessages();
    void togglePopupOnReceipt();
    bool popupOnReceipt() const { return m_popupOnReceipt; }

    // The settings cache; reloadSettings() after the preferences change.
    const StationSettings &viewSettings() const { return m_settingsCache; }
    void reloadSettings();

    MessageViewer &viewer() { return m_viewer; }
    const MessageViewer &viewer() const { return m_viewer; }

    // Puts the text of the shown record into the message pane and its sender into the
    // destination box.
    void showCurrentMessage();
    // Text the program puts into the compose box; it does not count as the user's change.
    void setComposeText(const QString &text);
    // Offers the quote of the shown record for the reply; nothing in AutoAnswer mode. When
    // the question runs, the record is quoted only if it is still the one on display after
    // the answer: the box's event loop may have handled arrivals that moved or freed it.
    void offerQuote(QuoteOffer how);
    // The AutoAnswer check box: the compose box holds the answer text while the mode is on;
    // switching off keeps what the user left there in the answer file.
    void ToggleAutoAnswer();

    Prompter &prompter() const { return m_prompter; }
    SoundPlayer &soundPlayer() const { return m_sound; }
    TrayIcon &trayIcon() const { return m_tray; }

    void attachStatusPanes(const StatusPanes &panes);
    const StatusPanes &statusPanes() const { return m_panes; }

    QAction *action(Command command) const;
    // The "Edit" menu, also the context menu of both text panes.
    QMenu *editMenu() const { return m_editMenu; }
    QMenu *addSenderMenu() const { return m_addSenderMenu; }
    void updateCommandStates();

    QFont formFont() const { return m_formFont; }
    QFont boldFormFont() const { return m_boldFormFont; }
    int splitterPosition() const { return m_splitterY; }

    MessageEdit *messagePane() const { return m_messagePane; }
    DestinationComboBox *destinationBox() const { return m_destinationBox; }
    QCheckBox *autoAnswerCheck() const { return m_autoAnswerCheck; }
    QLabel *importanceIcon() const { return m_importanceIcon; }
    MessageEdit *composeBox() const { return m_composeBox; }
    QPushButton *sendButton() const { return m_sendButton; }

    // ---- the address book and sending (CTq20ViewAddressBook.cpp, CTq20ViewSending.cpp)

    // Rebuilds the snapshot, the destination list and the group items of "Add sender to...".
    void refreshAddressBook();
    // The address book changed behind the view (the Address Book dialog closed): refresh,
    // then the shown message's sender goes back into the destination box.
    void addressBookChanged();
    const AddressBookSnapshot &addressBook() const { return m_addressBook; }
    // The "Add sender to..." commands: 32815, 32816 and 20000 + i.
    void addSenderCommand(int commandId);

    // Sends the compose text to the destination box's destinations. An automatic answer
    // shows nothing: no time display, no change of focus or selection, no box.
    void SendOutgoing(char importance, bool automaticAnswer = false);
    // The sends started here; the main frame takes their reports.
    SendTasks &sendTasks() const { return *m_sendTasks; }
    // The final report of a send has come: the elapsed-time display stops.
    void stopSendTimer();
    bool sendTimerRunning() const;
    // The address the packets name for replies.
    void setOwnIp(const QByteArray &ip) { m_ownIp = ip; }
    // Takes the requests of the sends in place of the send task: for tests of sends that
    // must never reach the network, a broadcast above all.
    void setSendStarter(std::function<void(const SendRequest &)> starter) { m_sendStarter = std::move(starter); }

Q_SIGNALS:
    // The main window should minimise ("MinOnDelLast").
    void minimizeRequested();
    // The main window should come up from the tray or from minimised ("Restore").
    void restoreRequested();
    // The Send button, Alt+Enter or a Send menu item: importance '0' or '1'.
    void sendRequested(char importance);
    // Messages have arrived and are on hand; `text` is the newest one as it came.
    void messageArrived(const QString &text);
    // The start-up load left stored message files aside that are larger than any this
    // program writes.
    void largeMessageFilesSkipped(int count);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void createControls();
    void createActions();
    void chooseFormFont();
    void layoutControls();
    void settleSplitter();
    QRect splitterRect() const;
    void applyRemoval(const MessageViewer::Removal &outcome);
    void showCurrentText();
    void applyIncomingSettings();
    void showArrivals();
    // An arrival in AutoAnswer mode answers the sender with the stored text.
    void answerAutomatically();
    void runEditCommand(Command command);
    void setUpAddressBookAndSending(const Clock &clock);
    void updateAddSenderGroupStates(bool enabled);
    void onDestinationPicked(int index);
    // A send to every station on the network asks first, unless the user said not to.
    bool broadcastConfirmed(const QString &destinations);

    SettingsStore &m_settings;
    Prompter &m_prompter;
    SoundPlayer &m_sound;
    TrayIcon &m_tray;
    MessageViewer m_viewer;
    StationSettings m_settingsCache;
    QByteArray m_ownIp;
    AddressBookSnapshot m_addressBook;
    FilteredMessageFile m_deadFile;
    IncomingMessageHandler m_incoming;

    int m_splitterY = 150;
    bool m_popupOnReceipt = false;
    bool m_initialUpdateDone = false;
    bool m_laidOut = false;
    bool m_dragging = false;
    bool m_formFontMissing = false;
    QFont m_formFont;
    QFont m_boldFormFont;

    MessageEdit *m_messagePane = nullptr;
    DestinationComboBox *m_destinationBox = nullptr;
    QCheckBox *m_autoAnswerCheck = nullptr;
    QLabel *m_importanceIcon = nullptr;
    MessageEdit *m_composeBox = nullptr;
    QPushButton *m_sendButton = nullptr;
    StatusPanes m_panes;

    std::map<Command, QAction *> m_actions;
    QMenu *m_editMenu = nullptr;
    QMenu *m_addSenderMenu = nullptr;
    // Memory is handed back once paging has come to rest, not at every step.
    QTimer m_trimTimer;

    QList<QAction *> m_addSenderGroupActions;
    SendTasks *m_sendTasks = nullptr;
    std::function<void(const SendRequest &)> m_sendStarter;
    SendTimeDisplay *m_sendTime = nullptr;
    // Messages that arrive together are shown once, when the last of them has been handled:
    // a burst costs one display, not one for each message.
    QTimer m_arrivalTimer;
    struct PendingArrival {
        bool restoreWindow = false;
        bool offerQuote = false;
    };
    PendingArrival m_pendingArrival;
};

} // namespace tq
