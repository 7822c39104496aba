// A stored message file as the start-up load reads it: a record made from it gives back the
// very bytes of the file.
#include "FuzzCheck.h"

#include "messages/MessageFiles.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<tq::MessageRecord> record = tq::parseMessageFile(content, QStringLiteral("/m/x.tqm"));
    if (!record)
        return 0;
    TQ_FUZZ_CHECK(!record->sender.contains("\r\n"));
    const QByteArray rebuilt = content.left(1) + record->sender + "\r\n" + record->text;
    TQ_FUZZ_CHECK(rebuilt == content);
    TQ_FUZZ_CHECK(record->highImportance == (content.at(0) == '1'));
    return 0;
}
