#include "messages/ReplyComposer.h"

#include "addressbook/DestinationComboBox.h"
#include "messages/MessageEdit.h"
#include "platform/Prompter.h"
#include "res/StringTable.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>

namespace tq {

ReplyComposer::ReplyComposer(MessageStation &station, Prompter &prompter, const Controls &controls, QObject *parent)
    : QObject(parent)
    , m_station(station)
    , m_prompter(prompter)
    , m_controls(controls)
{
    MessageEdit *compose = m_controls.composeBox;
    connect(m_controls.sendButton, &QPushButton::clicked, this, [this] { send('0'); });
    connect(m_controls.autoAnswerCheck, &QCheckBox::clicked, this, &ReplyComposer::toggleAutoAnswer);
    connect(m_controls.destinationBox, &DestinationComboBox::entryPicked, this, &ReplyComposer::pickDestination);
    connect(compose, &QPlainTextEdit::textChanged, this, [this, compose] {
        if (!compose->isSettingProgramText())
            m_station.composeEditedByUser(compose->toPlainText());
    });
    // An automatic answer shows nothing: no change of focus or selection, no box; only a
    // missing destination takes the user to the field.
    connect(&m_station, &MessageStation::automaticAnswerRefused, this,
            [this] { m_controls.destinationBox->setFocus(); });
    // While AutoAnswer is on, the compose box holds the answer and the destination field whom
    // it goes to.
    m_station.setDraftSource(
        [composer = QPointer<ReplyComposer>(this)] { return composer ? composer->draft('0') : OutgoingDraft(); });
}

void ReplyComposer::setModeText(const QString &text)
{
    if (m_modePane)
        m_modePane->setText(text);
}

void ReplyComposer::setComposeText(const QString &text)
{
    m_controls.composeBox->setProgramText(text);
}

void ReplyComposer::showReplyDestination()
{
    m_controls.destinationBox->setEditText(m_station.replyDestinationOfShown());
}

void ReplyComposer::offerQuote(MessageStation::QuoteOffer how)
{
    const std::optional<MessageStation::QuoteProposal> proposal = m_station.proposeQuote(how);
    if (!proposal)
        return;
    if (proposal->ask) {
        const Prompter::Answer answer =
            m_prompter.message(tqString(Sid::AppName), tqString(Sid::ReplaceWithQuoteQuestion),
                               Prompter::Icon::Question, Prompter::Buttons::YesNo, Prompter::Answer::Yes);
        if (answer != Prompter::Answer::Yes)
            return;
    }
    // The box's event loop may have handled arrivals that moved or freed the record asked about.
    const std::optional<QString> quote = m_station.takeQuote(proposal->serial);
    if (!quote)
        return;
    setComposeText(*quote);
    m_controls.composeBox->setFocus();
    m_controls.composeBox->selectAll();
}

void ReplyComposer::toggleAutoAnswer()
{
    MessageEdit *compose = m_controls.composeBox;
    if (!m_station.autoAnswerMode()) {
        m_controls.sendButton->setEnabled(false);
        const MessageStation::AutoAnswerOn on = m_station.switchAutoAnswerOn();
        if (on.answerText && on.replaceCompose) {
            setComposeText(*on.answerText);
        } else if (on.answerText) {
            // The user's own text stays; the answer follows it on a new line, selected.
            const QString typed = compose->toPlainText();
            setComposeText(typed + QLatin1Char('\n') + *on.answerText);
            QTextCursor cursor = compose->textCursor();
            cursor.setPosition(int(typed.size() + 1));
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            compose->setTextCursor(cursor);
            compose->setFocus();
        }
        setModeText(tqString(Sid::StatusAutoAnswerMode));
    } else {
        m_controls.sendButton->setEnabled(true);
        const std::optional<ShownReply> reply = m_station.switchAutoAnswerOff(compose->toPlainText());
        compose->setFocus();
        if (reply) {
            setComposeText(reply->quote);
            m_controls.destinationBox->setEditText(reply->destination);
        }
        compose->selectAll();
        setModeText(tqString(Sid::StatusReady));
    }
    m_controls.autoAnswerCheck->setChecked(m_station.autoAnswerMode());
}

OutgoingDraft ReplyComposer::draft(char importance) const
{
    OutgoingDraft draft;
    draft.composeText = m_controls.composeBox->toPlainText();
    draft.destinationText = m_controls.destinationBox->currentText();
    draft.selectedIndex = m_controls.destinationBox->currentIndex();
    draft.importance = importance;
    return draft;
}

void ReplyComposer::send(char importance)
{
    const OutgoingPlan plan = m_station.planSend(draft(importance));
    if (plan.verdict == OutgoingPlan::Verdict::Refused) {
        m_controls.destinationBox->setFocus();
        // The question sound alone leaves the user guessing; pane 0 says what is missing.
        setModeText(tqString(Sid::StatusNoDestination));
        return;
    }
    if (plan.verdict == OutgoingPlan::Verdict::NoSystemName) {
        m_prompter.message(tqString(Sid::AppName), tqString(Sid::SystemNameMissing), Prompter::Icon::Exclamation);
        return;
    }
    // The plan is complete before the question: what goes out is what the user confirmed,
    // whatever the box's event loop changes in the controls meanwhile.
    if (plan.asksBroadcastQuestion) {
        const Prompter::CheckedAnswer reply = m_prompter.messageWithCheckBox(
            tqString(Sid::AppName), tqString(Sid::BroadcastQuestion), tqString(Sid::DoNotAskAgain),
            Prompter::Icon::Question, Prompter::Buttons::YesNo, Prompter::Answer::No);
        if (!m_station.broadcastAnswered(reply)) {
            m_controls.destinationBox->setFocus();
            return;
        }
    }
    const SendStart start = m_station.send(plan);
    if (start.outcome == SendStart::Outcome::TemplateWriteFailed) {
        const QByteArray name = start.templateFile.toUtf8();
        m_prompter.message(tqString(Sid::AppName), tqFormat(Sid::FileWriteFailed, name.constData()),
                           Prompter::Icon::Stop);
        return;
    }
    m_controls.composeBox->selectAll();
    m_controls.composeBox->setFocus();
}

void ReplyComposer::pickDestination(int index)
{
    MessageEdit *compose = m_controls.composeBox;
    if (const std::optional<QString> text = m_station.composeTextAfterPick(index, compose->toPlainText()))
        setComposeText(*text);
    compose->setFocus();
    compose->selectAll();
}

void ReplyComposer::addSender(int commandId)
{
    if (const std::optional<QString> destination = m_station.addSenderToAddressBook(commandId, m_prompter))
        m_controls.destinationBox->setEditText(*destination);
}

} // namespace tq
