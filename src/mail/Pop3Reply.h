#pragma once

#include <QByteArray>

#include <optional>

namespace tq {

// A positive POP3 answer begins with "+OK".
bool isPop3Ok(const QByteArray &line);

// The message count of a STAT answer ("+OK 3 1234"); nothing when the answer is negative or
// holds no count.
std::optional<int> pop3StatCount(const QByteArray &line);

} // namespace tq
