#include "history/HistorySearcher.h"

#include <QMetaObject>

#include <memory>

namespace tq {

HistoryResult allOf(HistoryIndex::Snapshot entries)
{
    HistoryResult result;
    result.rows.reserve(entries->size());
    for (size_t i = entries->size(); i > 0; --i)
        result.rows.push_back(quint32(i - 1));
    result.entries = std::move(entries);
    return result;
}

HistorySearcher::HistorySearcher(QObject *parent)
    : QObject(parent)
{
}

HistorySearcher::~HistorySearcher() = default;

void HistorySearcher::search(HistoryIndex::Snapshot entries, const HistoryQuery &query)
{
    const quint64 generation = ++m_generation;
    m_searching = true;
    // Assigning stops the search before and waits for it; a stopped search ends within a few
    // thousand entries.
    m_worker = std::jthread([this, generation, entries = std::move(entries), query](std::stop_token stop) {
        auto result = std::make_shared<HistoryResult>();
        result->rows = searchHistory(*entries, query, stop);
        if (stop.stop_requested())
            return;
        result->entries = entries;
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
