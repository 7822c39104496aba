#pragma once

#include <QString>

#include <optional>

namespace tq::addressbook {

// The last text sent to a destination that stands for several recipients (every user, the
// broadcast, a group) is kept in the application-data folder as "<name>.tqm", so that picking
// the destination again offers it.

// The file's base name for a destination text and its code: "All Users" for code 9,
// "BroadcastMessage" for code 8, otherwise the text without its first two and last two
// characters ("< Friends >" gives "Friends").
QString templateBaseName(const QString &destinationText, int code);

// `dataDir` (the application-data folder) + baseName + ".tqm", or the file already there whose
// name differs from that only in letter case; none when the name would lead out of that folder.
std::optional<QString> templateFilePath(const QString &dataDir, const QString &baseName);

// The file's lines, each followed by "\r\n"; none when it cannot be opened or read.
// UTF-8 when the bytes are valid UTF-8, else Windows-1252 (files of older installations).
std::optional<QString> readTemplateText(const QString &path);
// Creates or truncates the file with `text` as UTF-8, its lines ending in CR LF.
bool writeTemplateText(const QString &path, const QString &text);

// Picking a destination entry: the compose text it brings, or none when the compose box stays
// as it is (a code below 8, no readable file, or text the user wrote that is not blank).
std::optional<QString> composeTextAfterPick(const QString &dataDir, const QString &entryText, int code,
                                            bool composeReplaceable, const QString &composeText);

} // namespace tq::addressbook
