#pragma once

#include "history/HistoryEntry.h"
#include "history/WordIndex.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace tq {

// The history at one moment. A snapshot never changes once handed out, so searches may read
// it on any thread while the index goes on; its parts are shared with the snapshots after it.
struct HistorySnapshot {
    // Every message, oldest first.
    HistoryEntries entries;
    // The words of every entry, a group for each batch of the build and for recent arrivals.
    std::vector<std::shared_ptr<const WordIndex>> wordGroups;
    // Entries of the groups that have been deleted since.
    std::unordered_set<const HistoryEntry *> deleted;
};

} // namespace tq
