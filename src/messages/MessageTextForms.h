#pragma once

#include "messages/MessageRecord.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>

namespace tq {

// A received message for a terminal or a text file: the arrival stamp line, "From: " and the
// sender (with ", high importance" when it was sent so), then the message, decoded as the
// display decodes it. Every line ends with a line feed, and an empty line follows, so that
// messages written one after the other stay apart.
QString readableMessage(const MessageRecord &record);

// The readable form for a terminal: the text of a message comes from the network, and a
// control character in it must not steer the terminal, so each one but the tab and the line
// feed shows as U+FFFD.
QString readableMessageForTerminal(const MessageRecord &record);

// The same for programs: "arrival" (ISO 8601 with the offset from UTC), "sender",
// "importance" ("high" or "normal"), "text" (the message without its stamp line, decoded as
// the display decodes it, lines ending with a line feed) and "file" (null when the message
// has none).
QJsonObject messageJson(const MessageRecord &record, const QDateTime &arrival);

} // namespace tq
