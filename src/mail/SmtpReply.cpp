#include "mail/SmtpReply.h"

#include "mail/MailSocket.h"

namespace tq {
namespace {

// A reply of more lines than this is no reply a server means.
constexpr int kMaxReplyLines = 100;

} // namespace

std::optional<QByteArray> readSmtpReply(MailSocket &socket)
{
    for (int i = 0; i < kMaxReplyLines; ++i) {
        const auto line = socket.readLine();
        if (!line)
            return std::nullopt;
        if (line->size() < 4 || line->at(3) != '-')
            return line;
    }
    return std::nullopt;
}

bool smtpReplyIs(const std::optional<QByteArray> &reply, const char *code)
{
    return reply && reply->startsWith(code);
}

} // namespace tq
