#pragma once

#include <QByteArray>
#include <QString>

namespace tq {

// Message bytes as the user sees them: valid UTF-8 as UTF-8, anything else as Windows-1252.
// The bytes themselves stay as they came; only what is shown is decoded.
QString decodeMessageBytes(const QByteArray &bytes);

// The same for a text pane: each CR LF (and a lone CR) becomes one line break.
QString displayText(const QByteArray &bytes);

} // namespace tq
