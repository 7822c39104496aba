#pragma once

#include "history/HistorySnapshot.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

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
    // Within those days, the first and the last moment of arrival in local wall-clock time,
    // both included; left invalid, the whole day counts. (Initialised here, so a query written
    // with the four parts above needs nothing more.)
    QTime sinceTime{};
    QTime untilTime{};

    bool operator==(const HistoryQuery &) const = default;
};

// A query made ready to be tried on many entries: its words folded once.
class HistoryMatcher {
public:
    explicit HistoryMatcher(const HistoryQuery &query);

    // All but the days and what the word index has answered: the sender, and the words that
    // hold more than one run of word bytes (see WordIndex).
    bool matchesBeyondWordIndex(const HistoryEntry &entry) const;
    bool looksBeyondWordIndex() const { return !m_sender.isEmpty() || !m_wordsBeyondRuns.empty(); }
    bool daysMatch(qint64 arrivalKey) const { return arrivalKey >= m_firstKey && arrivalKey < m_endKey; }

    // The runs of word bytes in the words and the sender, longest first: an entry must have
    // each.
    const std::vector<QByteArray> &wordRuns() const { return m_runs; }
    bool usesWordIndex() const { return !m_words.empty() || !m_runs.empty(); }
    // The arrivals the date range lets through, as wall-clock keys [first, end).
    qint64 firstKey() const { return m_firstKey; }
    qint64 endKey() const { return m_endKey; }

private:
    bool senderMatches(QByteArrayView foldedSender) const;

    std::vector<QByteArray> m_words;
    std::vector<QByteArray> m_wordsBeyondRuns;
    std::vector<QByteArray> m_runs;
    QByteArray m_sender;
    qint64 m_firstKey;
    qint64 m_endKey;
};

// The entries of `snapshot` that match, newest first. A stop request ends the search early
// with an incomplete answer.
std::vector<const HistoryEntry *> searchHistory(const HistorySnapshot &snapshot, const HistoryQuery &query,
                                                std::stop_token stop = {});

} // namespace tq
