// Lines from a POP3 server, read as the mailbox checker reads them.
#include "FuzzCheck.h"
#include "ServerBytes.h"

#include "mail/Pop3Reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto socket = socketWithServerBytes(data, size);
    if (!socket)
        return 0;
    while (const std::optional<QByteArray> line = socket->readLine()) {
        TQ_FUZZ_CHECK(line->size() <= tq::MailSocket::kMaxLineLength);
        const bool ok = tq::isPop3Ok(*line);
        if (const std::optional<int> count = tq::pop3StatCount(*line)) {
            TQ_FUZZ_CHECK(ok);
            TQ_FUZZ_CHECK(*count >= 0);
        }
    }
    return 0;
}
