#include "history/HistoryQuery.h"

#include "messages/CaseFolding.h"

#include <algorithm>
#include <limits>
#include <thread>

#include <string.h>

namespace tq {
namespace {

// Below this many entries a second thread costs more than it saves.
constexpr size_t kParallelFrom = 20000;
// How many entries pass between two looks at the stop request.
constexpr size_t kStopCheckEvery = 4096;

QByteArray foldedUtf8(const QString &text)
{
    return foldCase(text).toUtf8();
}

bool contains(QByteArrayView text, const QByteArray &word)
{
    return ::memmem(text.data(), size_t(text.size()), word.constData(), size_t(word.size())) != nullptr;
}

// The entries of [first, end) that match, newest first.
void searchRange(const HistoryEntries &entries, const HistoryMatcher &matcher, size_t first, size_t end,
                 std::vector<quint32> &found, const std::stop_token &stop)
{
    for (size_t i = end; i > first; --i) {
        if ((end - i) % kStopCheckEvery == 0 && stop.stop_requested())
            return;
        if (matcher.matches(*entries[i - 1]))
            found.push_back(quint32(i - 1));
    }
}

} // namespace

HistoryMatcher::HistoryMatcher(const HistoryQuery &query)
    : m_sender(foldedUtf8(query.sender.trimmed()))
    , m_firstKey(query.since.isValid() ? wallClockKey(query.since, QTime(0, 0)) : std::numeric_limits<qint64>::min())
    , m_endKey(query.until.isValid() ? wallClockKey(query.until.addDays(1), QTime(0, 0))
                                     : std::numeric_limits<qint64>::max())
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
    // The longest word first: it fails soonest where it is not there.
    std::sort(m_words.begin(), m_words.end(), [](const QByteArray &a, const QByteArray &b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    });
    m_words.erase(std::unique(m_words.begin(), m_words.end()), m_words.end());
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
    QByteArrayView host = address.first(address.indexOf(':') < 0 ? address.size() : address.indexOf(':'));
    if (host.endsWith('U'))
        host.chop(1);
    return host == m_sender;
}

bool HistoryMatcher::matches(const HistoryEntry &entry) const
{
    if (entry.arrivalKey < m_firstKey || entry.arrivalKey >= m_endKey)
        return false;
    if (!senderMatches(entry.foldedSender()))
        return false;
    for (const QByteArray &word : m_words) {
        if (!contains(entry.folded, word))
            return false;
    }
    return true;
}

std::vector<quint32> searchHistory(const HistoryEntries &entries, const HistoryQuery &query, std::stop_token stop)
{
    const HistoryMatcher matcher(query);
    // Entries are in arrival order, so the date range is a slice of them.
    const auto keyBelow = [](const HistoryEntryPtr &entry, qint64 key) { return entry->arrivalKey < key; };
    const size_t first =
        size_t(std::lower_bound(entries.begin(), entries.end(), matcher.firstKey(), keyBelow) - entries.begin());
    const size_t end =
        size_t(std::lower_bound(entries.begin(), entries.end(), matcher.endKey(), keyBelow) - entries.begin());

    std::vector<quint32> found;
    if (first >= end)
        return found;
    if (matcher.looksAtDatesOnly()) {
        found.reserve(end - first);
        for (size_t i = end; i > first; --i)
            found.push_back(quint32(i - 1));
        return found;
    }
    if (end - first < kParallelFrom || std::thread::hardware_concurrency() < 2) {
        searchRange(entries, matcher, first, end, found, stop);
        return found;
    }
    // The older half on a second thread, the newer half here; newer results come first.
    const size_t middle = first + (end - first) / 2;
    std::vector<quint32> older;
    {
        std::jthread helper([&] { searchRange(entries, matcher, first, middle, older, stop); });
        searchRange(entries, matcher, middle, end, found, stop);
    }
    found.insert(found.end(), older.begin(), older.end());
    return found;
}

} // namespace tq
