#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tq {

// The rule files the user edits (kill words, the answer text) are read line by line, each
// line followed by CR LF, whatever line ends the file itself has: a line ends at LF, a CR
// just before that LF belongs to the line end, and a last line without LF still counts.
// std::nullopt when the file cannot be opened or read; an empty file gives an empty text.
std::optional<QByteArray> readLinesEndingCrLf(const QString &path);

// The same rule on bytes already in memory.
QByteArray linesEndingCrLf(QByteArrayView content);

} // namespace tq
