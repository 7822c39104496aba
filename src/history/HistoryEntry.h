#pragma once

#include "messages/MessageRecord.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

namespace tq {

// One stored message in the history: its record as the message list holds it, when it
// arrived, and a folded copy of its words made once, so that a search compares bytes only.
struct HistoryEntry {
    MessageRecord record;
    // The arrival in local wall-clock time (see wallClockKey), the order of the history.
    qint64 arrivalKey = 0;
    // The folded sender, a line feed, then the folded message without its stamp line, as
    // UTF-8 (see foldMessageBytesToUtf8).
    QByteArray folded;
    qsizetype foldedSenderSize = 0;

    QDateTime arrival() const;
    QByteArrayView foldedSender() const { return QByteArrayView(folded).first(foldedSenderSize); }
    // The first line of the message that holds more than white space, below the sending
    // station's heading, for a list of messages.
    QString firstLine() const;
};

// Entries are shared between the index and the searches and lists that show them, which may
// run on other threads; an entry never changes once made.
using HistoryEntryPtr = std::shared_ptr<const HistoryEntry>;
// Oldest first, by arrival and then by file path.
using HistoryEntries = std::vector<HistoryEntryPtr>;

// Milliseconds of local wall-clock time counted from the start of the Julian day count:
// arrivals compare as their file names and stamps say, whatever the time zone did since.
qint64 wallClockKey(const QDate &date, const QTime &time);

// The entry of a stored message; `modifiedMs` is when its file was last written.
HistoryEntryPtr makeHistoryEntry(const MessageRecord &record, qint64 modifiedMs);

// The order of the history: by arrival, then by file path.
bool isOlder(const HistoryEntry &a, const HistoryEntry &b);

} // namespace tq
