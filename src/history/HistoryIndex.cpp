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
// Arrivals share a word group up to this size; making it again for each arrival stays cheap.
constexpr size_t kArrivalGroupSize = 256;

bool entryIsOlder(const HistoryEntryPtr &a, const HistoryEntryPtr &b)
{
    return isOlder(*a, *b);
}

std::shared_ptr<const WordIndex> makeGroup(HistoryEntries entries)
{
    std::sort(entries.begin(), entries.end(), entryIsOlder);
    return std::make_shared<const WordIndex>(std::move(entries));
}

} // namespace

HistoryIndex::HistoryIndex(QObject *parent)
    : QObject(parent)
    , m_snapshot(std::make_shared<HistorySnapshot>())
{
}

HistoryIndex::~HistoryIndex() = default;

HistoryIndex::Snapshot HistoryIndex::snapshotOf(const std::vector<StoredMessageFile> &files)
{
    auto snapshot = std::make_shared<HistorySnapshot>();
    HistoryEntries batch;
    for (const StoredMessageFile &file : files) {
        batch.push_back(makeHistoryEntry(file.record, file.modifiedMs));
        snapshot->entries.push_back(batch.back());
        if (batch.size() == kBatchSize)
            snapshot->wordGroups.push_back(makeGroup(std::exchange(batch, {})));
    }
    if (!batch.empty())
        snapshot->wordGroups.push_back(makeGroup(std::move(batch)));
    std::sort(snapshot->entries.begin(), snapshot->entries.end(), entryIsOlder);
    return snapshot;
}

void HistoryIndex::build(std::vector<StoredMessageFile> files)
{
    m_builder = std::jthread(); // stops the build before, and waits for it
    const quint64 build = ++m_build;
    m_building = true;
    m_removedWhileBuilding.clear();
    auto toBuild = std::make_shared<const std::vector<StoredMessageFile>>(std::move(files));
    m_builder = std::jthread([this, build, toBuild](std::stop_token stop) {
        const auto handOver = [this, build](HistoryEntries batch) {
            std::shared_ptr<const WordIndex> group = makeGroup(std::move(batch));
            QMetaObject::invokeMethod(
                this, [this, build, group] { mergeGroup(build, group); }, Qt::QueuedConnection);
        };
        HistoryEntries batch;
        size_t batchSize = kFirstBatchSize;
        for (const StoredMessageFile &file : *toBuild) {
            if (stop.stop_requested())
                return;
            batch.push_back(makeHistoryEntry(file.record, file.modifiedMs));
            if (batch.size() == batchSize) {
                handOver(std::exchange(batch, {}));
                batchSize = kBatchSize;
            }
        }
        if (!batch.empty())
            handOver(std::move(batch));
        QMetaObject::invokeMethod(
            this, [this, build] { finishBuild(build); }, Qt::QueuedConnection);
    });
}

HistorySnapshot &HistoryIndex::writableSnapshot()
{
    if (m_snapshot.use_count() > 1)
        m_snapshot = std::make_shared<HistorySnapshot>(*m_snapshot);
    return *m_snapshot;
}

void HistoryIndex::mergeGroup(quint64 build, std::shared_ptr<const WordIndex> group)
{
    if (build != m_build)
        return;
    HistorySnapshot &snapshot = writableSnapshot();
    HistoryEntries taken;
    for (const HistoryEntryPtr &entry : group->entries()) {
        const QString &path = entry->record.filePath;
        // A file added or deleted meanwhile is the index's already: the group's entry for it
        // counts as deleted.
        if (m_paths.contains(path) || m_removedWhileBuilding.contains(path)) {
            snapshot.deleted.insert(entry.get());
            continue;
        }
        m_paths.insert(path);
        taken.push_back(entry);
    }
    snapshot.wordGroups.push_back(std::move(group));
    m_lastGroupTakesArrivals = false;
    if (taken.empty())
        return;

    // Batches come mostly in arrival order: then this only appends.
    HistoryEntries merged;
    merged.reserve(snapshot.entries.size() + taken.size());
    std::merge(std::make_move_iterator(snapshot.entries.begin()), std::make_move_iterator(snapshot.entries.end()),
               std::make_move_iterator(taken.begin()), std::make_move_iterator(taken.end()), std::back_inserter(merged),
               entryIsOlder);
    snapshot.entries = std::move(merged);
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
    HistorySnapshot &snapshot = writableSnapshot();

    HistoryEntries grouped{entry};
    if (m_lastGroupTakesArrivals && snapshot.wordGroups.back()->entries().size() < kArrivalGroupSize) {
        // The group is made again with the arrival; its deleted entries stay out of it.
        for (const HistoryEntryPtr &earlier : snapshot.wordGroups.back()->entries()) {
            if (snapshot.deleted.erase(earlier.get()) == 0)
                grouped.push_back(earlier);
        }
        snapshot.wordGroups.pop_back();
    }
    snapshot.wordGroups.push_back(makeGroup(std::move(grouped)));
    m_lastGroupTakesArrivals = true;

    HistoryEntries &entries = snapshot.entries;
    entries.insert(std::upper_bound(entries.begin(), entries.end(), entry, entryIsOlder), entry);
    m_paths.insert(record.filePath);
    Q_EMIT changed();
}

void HistoryIndex::remove(const QString &filePath)
{
    if (m_building)
        m_removedWhileBuilding.insert(filePath);
    if (!m_paths.remove(filePath))
        return;
    HistorySnapshot &snapshot = writableSnapshot();
    HistoryEntries &entries = snapshot.entries;
    // Deletions are mostly of recent messages: look from the newest back.
    const auto found = std::find_if(entries.rbegin(), entries.rend(), [&filePath](const HistoryEntryPtr &entry) {
        return entry->record.filePath == filePath;
    });
    if (found != entries.rend()) {
        snapshot.deleted.insert(found->get());
        entries.erase(std::next(found).base());
    }
    Q_EMIT changed();
}

} // namespace tq
