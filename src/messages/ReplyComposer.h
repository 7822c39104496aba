#pragma once

#include "station/MessageStation.h"

#include <QObject>
#include <QPointer>

class QCheckBox;
class QLabel;
class QPushButton;

namespace tq {

class DestinationComboBox;
class MessageEdit;
class Prompter;

// The lower half of the message view, where the reply is made: the compose box, the
// destination field, the AutoAnswer check box and the Send button. It offers quotes of the
// shown message, switches AutoAnswer, sends, fills the compose box from a picked destination
// and files the sender in the address book, each through the station, asking the user what
// the station leaves to the user.
class ReplyComposer : public QObject {
    Q_OBJECT
public:
    struct Controls {
        MessageEdit *composeBox = nullptr;
        DestinationComboBox *destinationBox = nullptr;
        QCheckBox *autoAnswerCheck = nullptr;
        QPushButton *sendButton = nullptr;
    };

    ReplyComposer(MessageStation &station, Prompter &prompter, const Controls &controls, QObject *parent);

    // Status-bar pane 0, which shows the mode; none until the view is in its frame.
    void setModePane(QLabel *pane) { m_modePane = pane; }

    // Offers the quote of the shown record for the reply, asking first where the station says so.
    void offerQuote(MessageStation::QuoteOffer how);
    void toggleAutoAnswer();
    // Sends the compose text to the destinations of the destination field.
    void send(char importance);
    // The shown message's sender into the destination field.
    void showReplyDestination();
    // Text the program puts into the compose box; it does not count as the user's change.
    void setComposeText(const QString &text);
    // "Add sender to...": 32815, 32816 or a group item.
    void addSender(int commandId);

private:
    void pickDestination(int index);
    void setModeText(const QString &text);
    // What the compose box and the destination field hold, as the station sends it.
    OutgoingDraft draft(char importance) const;

    MessageStation &m_station;
    Prompter &m_prompter;
    const Controls m_controls;
    QPointer<QLabel> m_modePane;
};

} // namespace tq
