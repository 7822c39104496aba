#pragma once

#include <QString>

namespace tq {

// The destination-field text that answers a message's sender (system name, "/", sender
// address): the sender with every ';' left out of the name part, so that the text addresses
// that one station. A ';' would separate destinations, and a peer could choose its system
// name to add one of its own (an e-mail address, another host) to the reply.
// The name part is everything before the last '/'; the address behind it never holds ';'.
QString replyDestination(const QString &sender);

} // namespace tq
