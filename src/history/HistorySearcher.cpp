#include "history/HistorySearcher.h"

#include <QMetaObject>

#include <memory>

namespace tq {

HistoryResult searchNow(HistoryIndex::Snapshot snapshot, const HistoryQuery &query)
{
    HistoryResult result;
    result.rows = searchHistory(*snapshot, query);
    result.snapshot = std::move(snapshot);
    result.query = query;
    return result;
}

HistorySearcher::HistorySearcher(QObject *parent)
    : QObject(parent)
{
}

HistorySearcher::~HistorySearcher() = default;

void HistorySearcher::search(HistoryIndex::Snapshot snapshot, const HistoryQuery &query)
{
    const quint64 generation = ++m_generation;
    m_searching = true;
    // Assigning stops the search before and waits for it; a stopped search ends within one
    // group of entries.
    m_worker = std::jthread([this, generation, snapshot = std::move(snapshot), query](std::stop_token stop) {
        auto result = std::make_shared<HistoryResult>();
        result->rows = searchHistory(*snapshot, query, stop);
        if (stop.stop_requested())
            return;
        result->snapshot = snapshot;
        result->query = query;
        QMetaObject::invokeMethod(
            this,
            [this, generation, result] {
                if (generation != m_generation)
                    return;
                m_searching = false;
                Q_EMIT found(*result);
            },
            Qt::QueuedConnection);
    });
}

void HistorySearcher::cancel()
{
    ++m_generation;
    m_searching = false;
    m_worker = std::jthread();
}

} // namespace tq
