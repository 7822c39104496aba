#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tq {

// Message bytes as the user sees them: valid UTF-8 as UTF-8, anything else as Windows-1252.
// The bytes themselves stay as they came; only what is shown is decoded.
QString decodeMessageBytes(const QByteArray &bytes);

// The same for a text pane: each CR LF (and a lone CR) becomes one line break.
QString displayText(const QByteArray &bytes);

// `text` as an older station writes it, in Windows-1252, so that decodeMessageBytes() gives it
// back; nothing when a character has no place there.
std::optional<QByteArray> encodeWindows1252(const QString &text);

// Bytes that only a station writing 8-bit text sends: not valid UTF-8. Plain ASCII, valid
// in both, is not.
bool isEightBitText(const QByteArray &bytes);

// A received message as its record holds it: the arrival stamp line this station wrote, then
// the text as the sender wrote it. Each part is decoded by itself, so a message in 8-bit text
// does not drag the stamp (UTF-8, like everything this station writes) along with it.
QString recordDisplayText(const QByteArray &recordText);

} // namespace tq
