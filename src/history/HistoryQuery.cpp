#include "history/HistoryQuery.h"

#include "messages/CaseFolding.h"

#include <algorithm>
#include <bit>
#include <limits>

#include <string.h>

namespace tq {
namespace {

QByteArray foldedUtf8(const QString &text)
{
    return foldCase(text).toUtf8();
}

bool contains(QByteArrayView text, const QByteArray &word)
{
    return ::memmem(text.data(), size_t(text.size()), word.constData(), size_t(word.size())) != nullptr;
}

// Longest first, each once: the longest fails soonest where it is not there.
void sortLongestFirst(std::vector<QByteArray> &words)
{
    std::sort(words.begin(), words.end(), [](const QByteArray &a, const QByteArray &b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    });
    words.erase(std::unique(words.begin(), words.end()), words.end());
}

using KeyedEntry = std::pair<qint64, const HistoryEntry *>;

// Appends the runs of word bytes in `text` (see WordIndex) to `runs`; returns how many.
qsizetype appendRuns(const QByteArray &text, std::vector<QByteArray> &runs)
{
    qsizetype count = 0;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && WordIndex::isWordByte(text[i]))
            continue;
        if (i > runStart) {
            runs.push_back(text.sliced(runStart, i - runStart));
            ++count;
        }
        runStart = i + 1;
    }
    return count;
}

// The entries of one word group that have every run and pass the rest of the query.
void searchGroup(const WordIndex &group, const HistorySnapshot &snapshot, const HistoryMatcher &matcher,
                 std::vector<KeyedEntry> &found)
{
    WordIndex::EntrySet candidates = group.allEntries();
    for (const QByteArray &run : matcher.wordRuns()) {
        WordIndex::EntrySet withRun = group.noEntries();
        group.addEntriesWith(run, withRun);
        bool any = false;
        for (size_t i = 0; i < candidates.size(); ++i)
            any |= (candidates[i] &= withRun[i]) != 0;
        if (!any)
            return;
    }
    const std::vector<qint64> &keys = group.arrivalKeys();
    for (size_t block = 0; block < candidates.size(); ++block) {
        for (std::uint64_t bits = candidates[block]; bits != 0; bits &= bits - 1) {
            const size_t i = block * 64 + size_t(std::countr_zero(bits));
            if (!matcher.daysMatch(keys[i]))
                continue;
            const HistoryEntry *entry = group.entries()[i].get();
            if (!snapshot.deleted.empty() && snapshot.deleted.contains(entry))
                continue;
            if (matcher.looksBeyondWordIndex() && !matcher.matchesBeyondWordIndex(*entry))
                continue;
            found.emplace_back(keys[i], entry);
        }
    }
}

std::vector<const HistoryEntry *> newestFirst(std::vector<KeyedEntry> keyed)
{
    std::sort(keyed.begin(), keyed.end(), [](const KeyedEntry &a, const KeyedEntry &b) {
        return a.first != b.first ? a.first > b.first : isOlder(*b.second, *a.second);
    });
    std::vector<const HistoryEntry *> entries;
    entries.reserve(keyed.size());
    for (const KeyedEntry &entry : keyed)
        entries.push_back(entry.second);
    return entries;
}

qint64 firstKeyOf(const HistoryQuery &query)
{
    if (!query.since.isValid())
        return std::numeric_limits<qint64>::min();
    return wallClockKey(query.since, query.sinceTime.isValid() ? query.sinceTime : QTime(0, 0));
}

qint64 endKeyOf(const HistoryQuery &query)
{
    if (!query.until.isValid())
        return std::numeric_limits<qint64>::max();
    if (query.untilTime.isValid())
        return wallClockKey(query.until, query.untilTime) + 1;
    return wallClockKey(query.until.addDays(1), QTime(0, 0));
}

} // namespace

HistoryMatcher::HistoryMatcher(const HistoryQuery &query)
    : m_sender(foldedUtf8(query.sender.trimmed()))
    , m_firstKey(firstKeyOf(query))
    , m_endKey(endKeyOf(query))
{
    const QString &words = query.words;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= words.size(); ++i) {
        if (i < words.size() && !words[i].isSpace())
            continue;
        if (i > start)
            m_words.push_back(foldedUtf8(words.sliced(start, i - start)));
        start = i + 1;
    }
    sortLongestFirst(m_words);

    for (const QByteArray &word : m_words) {
        // A word that is one run is answered by the word index alone.
        if (appendRuns(word, m_runs) != 1 || m_runs.back().size() != word.size())
            m_wordsBeyondRuns.push_back(word);
    }
    // The sender is part of the folded text: an entry without the runs of the sender asked for
    // cannot be from that sender.
    appendRuns(m_sender, m_runs);
    sortLongestFirst(m_runs);
}

bool HistoryMatcher::senderMatches(QByteArrayView foldedSender) const
{
    if (m_sender.isEmpty() || foldedSender == m_sender)
        return true;
    const qsizetype slash = foldedSender.lastIndexOf('/');
    if (slash < 0)
        return false;
    if (foldedSender.first(slash) == m_sender)
        return true;
    // The address: host, then ":port" or "u" for UDP ("10.0.0.5:8000u", "10.0.0.5:u").
    const QByteArrayView address = foldedSender.sliced(slash + 1);
    if (address == m_sender)
        return true;
    const qsizetype colon = address.indexOf(':');
    QByteArrayView host = colon < 0 ? address : address.first(colon);
    if (host.endsWith('U'))
        host.chop(1);
    return host == m_sender;
}

bool HistoryMatcher::matchesBeyondWordIndex(const HistoryEntry &entry) const
{
    if (!senderMatches(entry.foldedSender()))
        return false;
    return std::all_of(m_wordsBeyondRuns.begin(), m_wordsBeyondRuns.end(),
                       [&entry](const QByteArray &word) { return contains(entry.folded, word); });
}

std::vector<const HistoryEntry *> searchHistory(const HistorySnapshot &snapshot, const HistoryQuery &query,
                                                std::stop_token stop)
{
    const HistoryMatcher matcher(query);
    if (matcher.usesWordIndex()) {
        std::vector<KeyedEntry> keyed;
        for (const std::shared_ptr<const WordIndex> &group : snapshot.wordGroups) {
            if (stop.stop_requested())
                return {};
            searchGroup(*group, snapshot, matcher, keyed);
        }
        return newestFirst(std::move(keyed));
    }
    // Without words or a sender the days alone decide: a slice of the entries.
    const HistoryEntries &entries = snapshot.entries;
    const auto keyBelow = [](const HistoryEntryPtr &entry, qint64 key) { return entry->arrivalKey < key; };
    const auto first = std::lower_bound(entries.begin(), entries.end(), matcher.firstKey(), keyBelow);
    const auto end = std::lower_bound(first, entries.end(), matcher.endKey(), keyBelow);
    std::vector<const HistoryEntry *> found;
    found.reserve(size_t(end - first));
    for (auto it = end; it != first;) {
        --it;
        if (!matcher.looksBeyondWordIndex() || matcher.matchesBeyondWordIndex(**it))
            found.push_back(it->get());
    }
    return found;
}

} // namespace tq
