#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tq {

// Text on the wire is bytes, passed on as they came. Stations write UTF-8, older ones 8-bit
// Windows-1252; these read and write both.

// Message bytes as text: valid UTF-8 as UTF-8, anything else as Windows-1252.
QString decodeMessageBytes(const QByteArray &bytes);

// `text` as an older station writes it, in Windows-1252, so that decodeMessageBytes() gives it
// back; nothing when a character has no place there.
std::optional<QByteArray> encodeWindows1252(const QString &text);

// Bytes that only a station writing 8-bit text sends: not valid UTF-8. Plain ASCII, valid
// in both, is not.
bool isEightBitText(const QByteArray &bytes);

} // namespace tq
