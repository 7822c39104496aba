// Replies of an SMTP server, one after the other as the mail sender reads them.
#include "FuzzCheck.h"
#include "ServerBytes.h"

#include "mail/SmtpReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto socket = socketWithServerBytes(data, size);
    if (!socket)
        return 0;
    while (const std::optional<QByteArray> reply = tq::readSmtpReply(*socket)) {
        TQ_FUZZ_CHECK(reply->size() <= tq::MailSocket::kMaxLineLength);
        if (tq::smtpReplyIs(reply, "250"))
            TQ_FUZZ_CHECK(reply->startsWith("250"));
    }
    return 0;
}
