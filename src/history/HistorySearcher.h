#pragma once

#include "history/HistoryIndex.h"
#include "history/HistoryQuery.h"

#include <QObject>

#include <thread>
#include <vector>

namespace tq {

// The messages a query found, newest first, with the snapshot that holds them.
struct HistoryResult {
    HistoryIndex::Snapshot snapshot = std::make_shared<const HistorySnapshot>();
    std::vector<const HistoryEntry *> rows;
    HistoryQuery query;

    const HistoryEntry &at(size_t row) const { return *rows[row]; }
};

// What `query` finds in `snapshot`, on the calling thread.
HistoryResult searchNow(HistoryIndex::Snapshot snapshot, const HistoryQuery &query);

// Searches on a thread of its own, so that typing never waits for a search. Only the answer to
// the latest query is given: a new query stops the search before it.
class HistorySearcher : public QObject {
    Q_OBJECT
public:
    explicit HistorySearcher(QObject *parent = nullptr);
    // Stops a search that is still running and waits for its thread.
    ~HistorySearcher() override;

    void search(HistoryIndex::Snapshot snapshot, const HistoryQuery &query);
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
