#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tq {

// The kill-word file in the application-data folder `dataDir`, written by the filtering page.
QString killFilePath(const QString &dataDir);

// Looks for the entries of the kill-word text in a message text. Entries are separated by
// commas and line ends; white space around an entry is dropped, blank entries are ignored,
// and an entry with spaces inside is a phrase. An entry matches when its first occurrence
// in the message stands between delimiters (or the start of the text) on both sides; a
// later occurrence is not looked at. Case is ignored.
//
// Each side is read the way the display reads it: as UTF-8 when it is valid UTF-8, else as
// Windows-1252. Case is then ignored for every letter either encoding holds, so a kill word
// "ÄRGER" catches "ärger" written in either encoding.
//
// Returns the first matching entry, trimmed and in upper case, as UTF-8; none when no entry
// matches.
std::optional<QByteArray> findKillWord(QByteArrayView killWordText, QByteArrayView messageText);

} // namespace tq
