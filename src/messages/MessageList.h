#pragma once

#include "messages/MessageRecord.h"

#include <QtGlobal>

#include <list>
#include <optional>
#include <vector>

namespace tq {

// The received messages in order of arrival, oldest first, with the one on display
// (`current`) and its 1-based position (`index`, 0 while nothing is shown).
// Every operation is O(1) whatever the length, so paging and deleting feel the same with
// ten messages or ten thousand.
class MessageList {
public:
    using const_iterator = std::list<MessageRecord>::const_iterator;

    MessageList() = default;
    // `current` points into the list's own chain, which a copy or a move would not carry along.
    MessageList(const MessageList &) = delete;
    MessageList &operator=(const MessageList &) = delete;

    quint32 count() const { return static_cast<quint32>(m_records.size()); }
    quint32 index() const { return m_index; }
    bool isEmpty() const { return m_records.empty(); }

    // Null when nothing is on display.
    const MessageRecord *current() const;
    MessageRecord *current();
    const MessageRecord *oldest() const;
    const MessageRecord *newest() const;
    bool hasNewer() const;
    bool hasOlder() const;

    // Links a record after the newest one and gives it the next serial. `current` and
    // `index` stay.
    MessageRecord &appendNewest(MessageRecord record);
    // Unlinks the oldest record. When it was on display, its newer neighbour takes its place
    // at position 1; otherwise the shown record keeps its place and its position falls by one.
    std::optional<MessageRecord> removeOldest();
    // Unlinks the shown record. Its newer neighbour is shown next at the same position; when
    // there is none, its older neighbour at the position below; when there is neither, nothing.
    std::optional<MessageRecord> removeCurrent();
    void clear();
    // Unlinks every record up to and including serial `last` (the oldest ones: serials grow
    // towards the newest). A shown record that stays keeps being shown; when the shown one
    // leaves, the oldest record that stays is shown, if any. Returns the records unlinked.
    std::vector<MessageRecord> removeThrough(quint64 last);
    // The record of arrival number `arrival` (see MessageRecord), looked for from the newest
    // back; none when it has left the list.
    MessageRecord *findArrival(quint64 arrival);
    // Unlinks the record kept in the file `path`, as removeCurrent() when it is the shown one;
    // none when no record names that file.
    std::optional<MessageRecord> removeFile(const QString &path);

    // Make the newer or older neighbour the shown record; false (and no change) when there is none.
    bool stepNewer();
    bool stepOlder();
    void selectNewest();
    void selectOldest();

    const_iterator begin() const { return m_records.begin(); }
    const_iterator end() const { return m_records.end(); }

    // Walks the whole list to check that `index` is the position of `current`. For tests.
    bool isConsistent() const;

private:
    std::list<MessageRecord> m_records;
    std::list<MessageRecord>::iterator m_current = m_records.end();
    quint32 m_index = 0;
    quint64 m_lastSerial = 0;
};

} // namespace tq
