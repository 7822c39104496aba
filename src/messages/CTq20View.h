#pragma once

#include "addressbook/DestinationComboBox.h"
#include "messages/ViewCommands.h"
#include "messages/ViewSplitter.h"
#include "station/MessageStation.h"

#include <QFont>
#include <QTimer>
#include <QWidget>

#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;

namespace tq {

class AddSenderMenu;
class ReplyComposer;
class Clock;
class DestinationComboBox;
class MessageEdit;
class Prompter;
class SendTimeDisplay;
class SettingsStore;
class TrayIcon;

// The main window's message view: the station's shown message, the splitter, the destination
// field, the AutoAnswer check box, the importance mark, the compose box and the Send button.
// It shows what the station holds and turns the user's actions into the station's commands;
// the questions it asks are its own, the decisions around them the station's.
class CTq20View : public QWidget {
    Q_OBJECT
public:
    using Command = ViewCommand;
    using QuoteOffer = MessageStation::QuoteOffer;
    // The main window's status bar panes the view writes: the mode text, the send timer and
    // the position in the message list.
    struct StatusPanes {
        QLabel *mode = nullptr;
        QLabel *sendTime = nullptr;
        QLabel *position = nullptr;
    };

    static constexpr int kBelowSplitter = ViewSplitter::kBelowSplitter;

    CTq20View(MessageStation &station, SettingsStore &settings, Prompter &prompter, TrayIcon &tray, const Clock &clock,
              QWidget *parent = nullptr);
    // Keeps "BottomRecText" for the next run.
    ~CTq20View() override;

    MessageStation &station() const { return m_station; }

    // Once, after the view has been placed in its frame: the address book, the font check, the
    // stored messages ("StoreAndLoad"), the counters and the first showing of the tray icon.
    void OnInitialUpdate();
    // Title, tray icon and tip, position pane, importance mark and command states.
    void RefreshCounters();

    void ShowNextMessage();
    void ShowPreviousMessage();
    void DeleteCurrentMessage();
    void DiscardAllMessages();
    void togglePopupOnReceipt();
    bool popupOnReceipt() const { return m_station.popupOnReceipt(); }
    // The AutoAnswer check box: the compose box holds the answer text while the mode is on;
    // switching off keeps what the user left there in the answer file.
    void ToggleAutoAnswer();
    // Sends the compose text to the destinations of the destination field.
    void SendOutgoing(char importance);
    // The address book changed behind the view (the Address Book dialog closed): the station
    // reads it again, then the shown message's sender goes back into the destination field.
    void addressBookChanged();

    // Puts the text of the shown record into the message pane and its sender into the
    // destination field.
    void showCurrentMessage();
    // Text the program puts into the compose box; it does not count as the user's change.
    void setComposeText(const QString &text);
    // Offers the quote of the shown record for the reply, asking first where the station says so.
    void offerQuote(QuoteOffer how);
    bool sendTimerRunning() const;

    // Follows the tray tip of the counters: what else the station wants known there.
    void setTrayTipNote(const QString &note)
    {
        m_trayTipNote = note;
        RefreshCounters();
    }
    void attachStatusPanes(const StatusPanes &panes);
    QAction *action(Command command) const { return m_commands->action(command); }
    // The "Edit" menu, also the context menu of both text panes.
    QMenu *editMenu() const { return m_commands->editMenu(); }
    QMenu *addSenderMenu() const;
    void updateCommandStates() { m_commands->updateStates(); }

    QFont formFont() const { return m_formFont; }
    QFont boldFormFont() const { return m_boldFormFont; }
    int splitterPosition() const { return m_splitter->position(); }

    MessageEdit *messagePane() const { return m_messagePane; }
    DestinationComboBox *destinationBox() const { return m_destinationBox; }
    QCheckBox *autoAnswerCheck() const { return m_autoAnswerCheck; }
    QLabel *importanceIcon() const { return m_importanceIcon; }
    MessageEdit *composeBox() const { return m_composeBox; }
    QPushButton *sendButton() const { return m_sendButton; }

Q_SIGNALS:
    // The main window should minimise ("MinOnDelLast").
    void minimizeRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void createControls();
    void connectCommands();
    void connectStation();
    void chooseFormFont();
    void showCurrentText();
    void applyRemoval(const MessageViewer::Removal &outcome);
    void onArrivalsSettled(const ArrivalSummary &summary);
    void onAddressBookRead();

    MessageStation &m_station;
    SettingsStore &m_settings;
    Prompter &m_prompter;
    TrayIcon &m_tray;

    bool m_initialUpdateDone = false;
    bool m_formFontMissing = false;
    QFont m_formFont;
    QFont m_boldFormFont;

    ViewCommands *m_commands = nullptr;
    AddSenderMenu *m_addSenderMenu = nullptr;
    ReplyComposer *m_composer = nullptr;
    MessageEdit *m_messagePane = nullptr;
    DestinationComboBox *m_destinationBox = nullptr;
    QCheckBox *m_autoAnswerCheck = nullptr;
    QLabel *m_importanceIcon = nullptr;
    MessageEdit *m_composeBox = nullptr;
    QPushButton *m_sendButton = nullptr;
    std::unique_ptr<ViewSplitter> m_splitter;
    StatusPanes m_panes;
    SendTimeDisplay *m_sendTime = nullptr;
    // Memory is handed back once paging has come to rest, not at every step.
    QTimer m_trimTimer;
    QString m_trayTipNote;
};

} // namespace tq
