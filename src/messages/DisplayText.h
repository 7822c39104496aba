#pragma once

#include "protocol/WireText.h"

#include <QByteArray>
#include <QString>

namespace tq {

// Message bytes as the user sees them: decoded as decodeMessageBytes() reads the wire, and
// each CR LF (and a lone CR) made one line break for a text pane. The bytes themselves stay
// as they came; only what is shown is decoded.
QString displayText(const QByteArray &bytes);

// A received message as its record holds it: the arrival stamp line this station wrote, then
// the text as the sender wrote it. Each part is decoded by itself, so a message in 8-bit text
// does not drag the stamp (UTF-8, like everything this station writes) along with it.
QString recordDisplayText(const QByteArray &recordText);

} // namespace tq
