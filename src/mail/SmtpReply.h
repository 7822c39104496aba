#pragma once

#include <QByteArray>

#include <optional>

namespace tq {

class MailSocket;

// The last line of the next SMTP reply ("250-..." lines continue it, up to a hundred lines);
// nothing when it could not be read.
std::optional<QByteArray> readSmtpReply(MailSocket &socket);

// Whether a reply was read and begins with the three-digit `code`.
bool smtpReplyIs(const std::optional<QByteArray> &reply, const char *code);

} // namespace tq
