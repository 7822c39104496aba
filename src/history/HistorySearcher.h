#pragma once

#include "history/HistoryIndex.h"
#include "history/HistoryQuery.h"

#include <QObject>

#include <thread>
#include <vector>

namespace tq {

// The messages a query found: positions in a snapshot of the index, newest first.
struct HistoryResult {
    HistoryIndex::Snapshot entries = std::make_shared<const HistoryEntries>();
    std::vector<quint32> rows;
    HistoryQuery query;

    const HistoryEntry &at(size_t row) const { return *(*entries)[rows[row]]; }
};

// Every message of `entries`, newest first, without a search.
HistoryResult allOf(HistoryIndex::Snapshot entries);

// Searches on a thread of its own, so that typing never waits for a search. Only the answer to
// the latest query is given: a new query stops the search before it.
class HistorySearcher : public QObject {
    Q_OBJECT
public:
    explicit HistorySearcher(QObject *parent = nullptr);
    // Stops a search that is still running and waits for its thread.
    ~HistorySearcher() override;

    void search(HistoryIndex::Snapshot entries, const HistoryQuery &query);
    // Drops the search under way: its answer will not be given.
    void cancel();
    bool isSearching() const { return m_searching; }

Q_SIGNALS:
    void found(const HistoryResult &result);

private:
    quint64 m_generation = 0;
    bool m_searching = false;
    std::jthread m_worker;
};

} // namespace tq
