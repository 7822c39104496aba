#include "messages/MessageViewer.h"

#include "messages/MessageFiles.h"
#include "platform/Clock.h"

namespace tq {
namespace {

bool isComposeBlank(const QString &text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case ' ':
        case '\t':
        case '\n':
        case '\v':
        case '\f':
        case '\r':
            continue;
        default:
            return false;
        }
    }
    return true;
}

} // namespace

MessageViewer::MessageViewer(const Clock &clock)
    : m_clock(clock)
{
    markArrival();
}

void MessageViewer::composeEditedByUser(const QString &text)
{
    m_composeReplaceable = isComposeBlank(text);
}

void MessageViewer::markArrival()
{
    m_lastArrivalMs = m_clock.nowMs();
}

bool MessageViewer::deleteAllowed() const
{
    return m_clock.nowMs() - m_lastArrivalMs >= kDeleteQuietMs;
}

MessageViewer::Removal MessageViewer::emptiedOutcome(bool minimizeOnDeleteLast) const
{
    Removal outcome;
    outcome.removed = true;
    outcome.listEmptied = true;
    outcome.clearCompose = !m_autoAnswerMode && m_composeReplaceable;
    outcome.minimize = minimizeOnDeleteLast;
    return outcome;
}

MessageViewer::Removal MessageViewer::deleteCurrent(bool minimizeOnDeleteLast)
{
    if (!m_messages.current() || !deleteAllowed())
        return {};
    const std::optional<MessageRecord> removed = m_messages.removeCurrent();
    DeleteMessageFile(removed->filePath);
    if (m_messages.isEmpty())
        return emptiedOutcome(minimizeOnDeleteLast);
    Removal outcome;
    outcome.removed = true;
    return outcome;
}

MessageViewer::Removal MessageViewer::discardThrough(quint64 last, bool minimizeOnDeleteLast,
                                                     std::vector<MessageRecord> *gone)
{
    std::vector<MessageRecord> removed = m_messages.removeThrough(last);
    for (const MessageRecord &record : removed)
        DeleteMessageFile(record.filePath);
    Removal outcome;
    if (m_messages.isEmpty())
        outcome = emptiedOutcome(minimizeOnDeleteLast);
    else
        outcome.removed = !removed.empty();
    if (gone)
        *gone = std::move(removed);
    return outcome;
}

StoredMessagesLoad MessageViewer::loadStored(bool dontAutoLast, const QString &messagesDir)
{
    return LoadStoredMessages(m_messages, dontAutoLast, messagesDir);
}

CounterTexts MessageViewer::counters() const
{
    return counterTexts(m_messages.count(), m_messages.index());
}

bool MessageViewer::showImportance() const
{
    const MessageRecord *current = m_messages.current();
    return current && current->highImportance;
}

ViewCommandStates MessageViewer::commandStates(const EditTarget &focus, bool clipboardHasText) const
{
    return viewCommandStates(m_messages.count(), m_messages.index(), focus, clipboardHasText);
}

} // namespace tq
