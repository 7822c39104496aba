// Replies the view prepares: the quote of a received message and the AutoAnswer mode.
#include "messages/CTq20View.h"

#include "addressbook/ReplyDestination.h"
#include "messages/AnswerFile.h"
#include "messages/DisplayText.h"
#include "messages/MessageEdit.h"
#include "messages/QuoteMessage.h"
#include "platform/Prompter.h"
#include "station/OutgoingAssembly.h"
#include "res/StringTable.h"
#include "settings/AppDataDir.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>

namespace tq {

void CTq20View::offerQuote(QuoteOffer how)
{
    // The compose box holds the answer text while AutoAnswer is on.
    if (m_viewer.autoAnswerMode())
        return;
    const MessageRecord *shown = m_viewer.messages().current();
    if (!shown)
        return;
    if (how == QuoteOffer::AskWhenChanged && !m_viewer.composeReplaceable()) {
        // Only the serial crosses the box: while it is open, arrivals are handled and may
        // trim the list past its limit, which frees the oldest record.
        const quint64 asked = shown->serial;
        const Prompter::Answer answer = m_prompter.message(tqString(Sid::AppName),
            tqString(Sid::ReplaceWithQuoteQuestion), Prompter::Icon::Question, Prompter::Buttons::YesNo,
            Prompter::Answer::Yes);
        if (answer != Prompter::Answer::Yes)
            return;
        // The user said yes to the message then on display; another one is not quoted in its place.
        shown = m_viewer.messages().current();
        if (!shown || shown->serial != asked || m_viewer.autoAnswerMode())
            return;
    }
    setComposeText(displayText(QuoteMessage(shown->text)));
    m_composeBox->setFocus();
    m_composeBox->selectAll();
    m_viewer.setComposeReplaceable(true);
}

void CTq20View::ToggleAutoAnswer()
{
    if (!m_viewer.autoAnswerMode()) {
        m_sendButton->setEnabled(false);
        // Without an answer file the compose box stays as it is; the mode goes on all the same.
        if (const std::optional<QByteArray> answer = readAnswerFile(answerFilePath(AppDataDir::path()))) {
            const QString answerText = displayText(*answer);
            if (m_viewer.composeReplaceable()) {
                setComposeText(answerText);
            } else {
                // The user's own text stays; the answer follows it on a new line, selected.
                const QString typed = m_composeBox->toPlainText();
                setComposeText(typed + QLatin1Char('\n') + answerText);
                QTextCursor cursor = m_composeBox->textCursor();
                cursor.setPosition(int(typed.size() + 1));
                cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
                m_composeBox->setTextCursor(cursor);
                m_composeBox->setFocus();
            }
        }
        if (m_panes.mode)
            m_panes.mode->setText(tqString(Sid::StatusAutoAnswerMode));
        m_viewer.setAutoAnswerMode(true);
    } else {
        m_sendButton->setEnabled(true);
        // A failed write is not worth a box: the mode goes off and the old answer stays.
        writeAnswerFile(withCrLf(m_composeBox->toPlainText()).toUtf8(), answerFilePath(AppDataDir::path()));
        m_composeBox->setFocus();
        if (const MessageRecord *current = m_viewer.messages().current()) {
            setComposeText(displayText(QuoteMessage(current->text)));
            m_destinationBox->setEditText(replyDestination(decodeMessageBytes(current->sender)));
        }
        m_composeBox->selectAll();
        if (m_panes.mode)
            m_panes.mode->setText(tqString(Sid::StatusReady));
        m_viewer.setAutoAnswerMode(false);
    }
    m_viewer.setComposeReplaceable(true);
    m_autoAnswerCheck->setChecked(m_viewer.autoAnswerMode());
}

void CTq20View::answerAutomatically()
{
    // The compose text goes to whatever the destination box holds now, marked as an
    // automatic answer; the send runs on its own and nothing here waits for it.
    SendOutgoing('0', true);
}

} // namespace tq
