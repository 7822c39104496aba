#pragma once

#include "history/HistoryEntry.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <stop_token>
#include <vector>

namespace tq {

// What the user looks for in the history. Every part left empty lets every message through.
struct HistoryQuery {
    // Words in any order, separated by white space; each must occur in the message or in
    // its sender, without regard to case (see foldCase).
    QString words;
    // The sender: its system name, its address, the host of its address, or the whole
    // "name/address", without regard to case.
    QString sender;
    // The first and the last day of arrival, both included.
    QDate since;
    QDate until;

    bool operator==(const HistoryQuery &) const = default;
};

// A query made ready to be tried on many entries: its words folded once.
class HistoryMatcher {
public:
    explicit HistoryMatcher(const HistoryQuery &query);

    bool matches(const HistoryEntry &entry) const;
    // The arrivals the date range lets through, as wall-clock keys [first, end).
    qint64 firstKey() const { return m_firstKey; }
    qint64 endKey() const { return m_endKey; }
    // Whether only the date range decides.
    bool looksAtDatesOnly() const { return m_words.empty() && m_sender.isEmpty(); }

private:
    bool senderMatches(QByteArrayView foldedSender) const;

    std::vector<QByteArray> m_words;
    QByteArray m_sender;
    qint64 m_firstKey;
    qint64 m_endKey;
};

// The positions in `entries` (oldest first) of the entries that match, newest first. A stop
// request ends the search early with what it found so far.
std::vector<quint32> searchHistory(const HistoryEntries &entries, const HistoryQuery &query, std::stop_token stop = {});

} // namespace tq
