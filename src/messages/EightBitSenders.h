#pragma once

#include <QSet>
#include <QString>

namespace tq {

class MessageList;

// The hosts (sender IP addresses) of the stations that write 8-bit text: those whose latest
// message with anything beyond ASCII in its text or name was not valid UTF-8. A message in
// plain ASCII reads the same either way and tells nothing. Replies to these hosts go out in
// Windows-1252 where they can.
QSet<QString> eightBitSenderHosts(const MessageList &messages);

} // namespace tq
