#include "history/HistoryIndex.h"

#include <QMetaObject>

#include <algorithm>
#include <iterator>

namespace tq {
namespace {

// Entries handed over at a time: a small first batch, so a window shows messages at once,
// then batches large enough that merging them in costs the user-interface thread little.
constexpr size_t kFirstBatchSize = 256;
constexpr size_t kBatchSize = 4096;

bool entryIsOlder(const HistoryEntryPtr &a, const HistoryEntryPtr &b)
{
    return isOlder(*a, *b);
}

} // namespace

HistoryIndex::HistoryIndex(QObject *parent)
    : QObject(parent)
    , m_entries(std::make_shared<HistoryEntries>())
{
}

HistoryIndex::~HistoryIndex() = default;

HistoryEntries HistoryIndex::entriesOf(const std::vector<StoredMessageFile> &files)
{
    HistoryEntries entries;
    entries.reserve(files.size());
    for (const StoredMessageFile &file : files)
        entries.push_back(makeHistoryEntry(file.record, file.modifiedMs));
    std::sort(entries.begin(), entries.end(), entryIsOlder);
    return entries;
}

void HistoryIndex::build(std::vector<StoredMessageFile> files)
{
    m_builder = std::jthread(); // stops the build before, and waits for it
    const quint64 build = ++m_build;
    m_building = true;
    m_removedWhileBuilding.clear();
    auto toBuild = std::make_shared<const std::vector<StoredMessageFile>>(std::move(files));
    m_builder = std::jthread([this, build, toBuild](std::stop_token stop) {
        const auto handOver = [this, build](HistoryEntries &batch) {
            std::sort(batch.begin(), batch.end(), entryIsOlder);
            auto moved = std::make_shared<HistoryEntries>(std::move(batch));
            batch = {};
            QMetaObject::invokeMethod(
                this, [this, build, moved] { mergeBatch(build, std::move(*moved)); }, Qt::QueuedConnection);
        };
        HistoryEntries batch;
        size_t batchSize = kFirstBatchSize;
        for (const StoredMessageFile &file : *toBuild) {
            if (stop.stop_requested())
                return;
            batch.push_back(makeHistoryEntry(file.record, file.modifiedMs));
            if (batch.size() == batchSize) {
                handOver(batch);
                batchSize = kBatchSize;
            }
        }
        handOver(batch);
        QMetaObject::invokeMethod(
            this, [this, build] { finishBuild(build); }, Qt::QueuedConnection);
    });
}

HistoryEntries &HistoryIndex::writableEntries()
{
    if (m_entries.use_count() > 1)
        m_entries = std::make_shared<HistoryEntries>(*m_entries);
    return *m_entries;
}

void HistoryIndex::mergeBatch(quint64 build, HistoryEntries batch)
{
    if (build != m_build)
        return;
    // A file added or deleted meanwhile is the index's already.
    std::erase_if(batch, [this](const HistoryEntryPtr &entry) {
        const QString &path = entry->record.filePath;
        return m_paths.contains(path) || m_removedWhileBuilding.contains(path);
    });
    if (batch.empty())
        return;
    for (const HistoryEntryPtr &entry : batch)
        m_paths.insert(entry->record.filePath);

    HistoryEntries merged;
    merged.reserve(m_entries->size() + batch.size());
    if (m_entries.use_count() == 1) {
        std::merge(std::make_move_iterator(m_entries->begin()), std::make_move_iterator(m_entries->end()),
                   std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()),
                   std::back_inserter(merged), entryIsOlder);
    } else {
        std::merge(m_entries->begin(), m_entries->end(), std::make_move_iterator(batch.begin()),
                   std::make_move_iterator(batch.end()), std::back_inserter(merged), entryIsOlder);
    }
    m_entries = std::make_shared<HistoryEntries>(std::move(merged));
    Q_EMIT changed();
}

void HistoryIndex::finishBuild(quint64 build)
{
    if (build != m_build)
        return;
    m_building = false;
    m_removedWhileBuilding.clear();
    Q_EMIT buildFinished();
}

void HistoryIndex::add(const MessageRecord &record, qint64 modifiedMs)
{
    if (record.filePath.isEmpty() || m_paths.contains(record.filePath))
        return;
    HistoryEntryPtr entry = makeHistoryEntry(record, modifiedMs);
    HistoryEntries &entries = writableEntries();
    entries.insert(std::upper_bound(entries.begin(), entries.end(), entry, entryIsOlder), std::move(entry));
    m_paths.insert(record.filePath);
    Q_EMIT changed();
}

void HistoryIndex::remove(const QString &filePath)
{
    if (m_building)
        m_removedWhileBuilding.insert(filePath);
    if (!m_paths.remove(filePath))
        return;
    HistoryEntries &entries = writableEntries();
    // Deletions are mostly of recent messages: look from the newest back.
    const auto found = std::find_if(entries.rbegin(), entries.rend(), [&filePath](const HistoryEntryPtr &entry) {
        return entry->record.filePath == filePath;
    });
    if (found != entries.rend())
        entries.erase(std::next(found).base());
    Q_EMIT changed();
}

} // namespace tq
