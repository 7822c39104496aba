#pragma once

#include "history/HistoryEntry.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <vector>

namespace tq {

// The words of a group of history entries, each distinct word once with the entries it occurs
// in, so that a search looks through the words instead of through every text.
//
// A word is a longest run of word bytes in an entry's folded text: ASCII letters and digits,
// and every byte of a character beyond ASCII. A run of word bytes occurs in a text exactly
// when it occurs inside one of the text's words, so a search for such a run needs no text.
class WordIndex {
public:
    // One bit per entry of the group, in the order the group holds them.
    using EntrySet = std::vector<std::uint64_t>;

    explicit WordIndex(HistoryEntries entries);

    const HistoryEntries &entries() const { return m_entries; }
    // The arrival keys of the entries, side by side, so that a search over many entries reads
    // them without visiting each entry.
    const std::vector<qint64> &arrivalKeys() const { return m_arrivalKeys; }
    EntrySet noEntries() const;
    EntrySet allEntries() const;
    // Adds to `found` every entry with a word that holds `run` (a run of word bytes).
    void addEntriesWith(QByteArrayView run, EntrySet &found) const;

    static bool isWordByte(char c);

private:
    HistoryEntries m_entries;
    std::vector<qint64> m_arrivalKeys;
    // Every word between line feeds ("\nWORD\nOTHER\n"): one search over it finds a run in
    // any of them.
    QByteArray m_words;
    // Where each word starts in m_words, in order.
    std::vector<quint32> m_wordStarts;
    // The entries of word i are m_postings[m_postingStarts[i]] up to m_postingStarts[i + 1].
    std::vector<quint32> m_postingStarts;
    std::vector<quint32> m_postings;
};

} // namespace tq
