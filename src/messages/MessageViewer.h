#pragma once

#include "messages/CounterTexts.h"
#include "messages/MessageFiles.h"
#include "messages/MessageList.h"
#include "messages/ViewCommandStates.h"

#include <QString>

namespace tq {

class Clock;

// What the message view decides, apart from its windows: the message list, the view flags,
// the guard that keeps a Delete from hitting a message that has just arrived, and the
// outcome of each command. The view applies the outcome to its controls.
class MessageViewer {
public:
    // A Delete within this many milliseconds of an arrival is refused: a key press meant
    // for the previous message must not delete one that has just come in.
    static constexpr qint64 kDeleteQuietMs = 2000;

    explicit MessageViewer(const Clock &clock);

    MessageList &messages() { return m_messages; }
    const MessageList &messages() const { return m_messages; }

    bool autoAnswerMode() const { return m_autoAnswerMode; }
    void setAutoAnswerMode(bool on) { m_autoAnswerMode = on; }

    // Whether the compose box may be overwritten without asking.
    bool composeReplaceable() const { return m_composeReplaceable; }
    void setComposeReplaceable(bool replaceable) { m_composeReplaceable = replaceable; }
    // Every change the user makes to the compose text: replaceable while it is blank.
    void composeEditedByUser(const QString &text);

    // An accepted message has been completely handled (also taken at construction).
    void markArrival();
    qint64 lastArrivalMs() const { return m_lastArrivalMs; }
    bool deleteAllowed() const;

    // What a Delete or Discard all did, for the view to apply.
    struct Removal {
        bool removed = false; // something left the list (and its file is gone)
        bool listEmptied = false; // the list is empty now: clear the panes
        bool clearCompose = false; // ... and the compose box, which holds nothing of the user's
        bool minimize = false; // ... and minimise the main window ("MinOnDelLast")
    };
    // Deletes the shown message and its file, unless nothing is shown or a message arrived
    // less than kDeleteQuietMs ago.
    Removal deleteCurrent(bool minimizeOnDeleteLast);
    // Deletes every record up to and including serial `last`, and its file; the records that
    // came after it stay. No quiet time applies. `gone`, when given, receives the records deleted.
    Removal discardThrough(quint64 last, bool minimizeOnDeleteLast, std::vector<MessageRecord> *gone = nullptr);

    // Loads the stored messages (see LoadStoredMessages).
    StoredMessagesLoad loadStored(bool dontAutoLast, const QString &messagesDir);

    CounterTexts counters() const;
    bool showImportance() const;
    ViewCommandStates commandStates(const EditTarget &focus, bool clipboardHasText) const;

private:
    Removal emptiedOutcome(bool minimizeOnDeleteLast) const;

    const Clock &m_clock;
    MessageList m_messages;
    bool m_autoAnswerMode = false;
    bool m_composeReplaceable = true;
    qint64 m_lastArrivalMs = 0;
};

} // namespace tq
