#include "history/WordIndex.h"

#include <QHash>

#include <algorithm>

#include <string.h>

namespace tq {

bool WordIndex::isWordByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

WordIndex::WordIndex(HistoryEntries entries)
    : m_entries(std::move(entries))
{
    m_arrivalKeys.reserve(m_entries.size());
    for (const HistoryEntryPtr &entry : m_entries)
        m_arrivalKeys.push_back(entry->arrivalKey);

    // Each word with the entries it occurs in, each entry once, in order.
    QHash<QByteArrayView, quint32> wordIds;
    std::vector<std::vector<quint32>> entriesOfWord;
    for (quint32 entry = 0; entry < m_entries.size(); ++entry) {
        const QByteArray &text = m_entries[entry]->folded;
        qsizetype start = 0;
        while (start < text.size()) {
            if (!isWordByte(text[start])) {
                ++start;
                continue;
            }
            qsizetype end = start + 1;
            while (end < text.size() && isWordByte(text[end]))
                ++end;
            // The views point into the entries' texts, which the index holds.
            const QByteArrayView word = QByteArrayView(text).sliced(start, end - start);
            auto id = wordIds.constFind(word);
            if (id == wordIds.cend()) {
                id = wordIds.insert(word, quint32(entriesOfWord.size()));
                entriesOfWord.emplace_back();
            }
            std::vector<quint32> &list = entriesOfWord[id.value()];
            if (list.empty() || list.back() != entry)
                list.push_back(entry);
            start = end;
        }
    }

    std::vector<QByteArrayView> words(entriesOfWord.size());
    qsizetype wordBytes = 1;
    for (auto it = wordIds.cbegin(); it != wordIds.cend(); ++it) {
        words[it.value()] = it.key();
        wordBytes += it.key().size() + 1;
    }
    m_words.reserve(wordBytes);
    m_words.append('\n');
    m_wordStarts.reserve(words.size());
    m_postingStarts.reserve(words.size() + 1);
    for (size_t id = 0; id < words.size(); ++id) {
        m_wordStarts.push_back(quint32(m_words.size()));
        m_words.append(words[id]).append('\n');
        m_postingStarts.push_back(quint32(m_postings.size()));
        m_postings.insert(m_postings.end(), entriesOfWord[id].begin(), entriesOfWord[id].end());
    }
    m_postingStarts.push_back(quint32(m_postings.size()));
}

WordIndex::EntrySet WordIndex::noEntries() const
{
    return EntrySet((m_entries.size() + 63) / 64, 0);
}

WordIndex::EntrySet WordIndex::allEntries() const
{
    EntrySet all((m_entries.size() + 63) / 64, ~std::uint64_t(0));
    if (m_entries.size() % 64 != 0)
        all.back() = (std::uint64_t(1) << (m_entries.size() % 64)) - 1;
    return all;
}

void WordIndex::addEntriesWith(QByteArrayView run, EntrySet &found) const
{
    const char *const begin = m_words.constData();
    const char *const end = begin + m_words.size();
    const char *from = begin;
    while (const void *hit = ::memmem(from, size_t(end - from), run.data(), size_t(run.size()))) {
        const auto position = quint32(static_cast<const char *>(hit) - begin);
        const size_t word =
            size_t(std::upper_bound(m_wordStarts.begin(), m_wordStarts.end(), position) - m_wordStarts.begin()) - 1;
        for (quint32 i = m_postingStarts[word]; i < m_postingStarts[word + 1]; ++i)
            found[m_postings[i] / 64] |= std::uint64_t(1) << (m_postings[i] % 64);
        // On to the next word: one hit per word is enough.
        from = word + 1 < m_wordStarts.size() ? begin + m_wordStarts[word + 1] : end;
    }
}

} // namespace tq
