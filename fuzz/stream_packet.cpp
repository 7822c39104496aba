// The stream form as the TCP listener hands it on.
#include "FuzzCheck.h"

#include "protocol/MessagePacket.h"

#include <cstdint>

namespace {

bool free_of_markers(const QByteArray &field)
{
    return !field.contains("/$") && !field.contains('\0');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    tq::isDeliveryReceipt(bytes);
    tq::isIdentificationProbe(bytes);
    const tq::ParsedPacket parsed = tq::ParseStreamPacket(bytes);
    if (!parsed.wellFormed)
        return 0;
    TQ_FUZZ_CHECK(!parsed.systemName.isEmpty());
    // Fields without markers survive a trip through the sender's form.
    if (free_of_markers(parsed.tag) && free_of_markers(parsed.text) && free_of_markers(parsed.systemName)
        && free_of_markers(parsed.email) && parsed.importance != '\0') {
        const QByteArray rebuilt = tq::BuildStreamPacket(
            {parsed.tag, parsed.text, parsed.systemName, parsed.importance, parsed.email}, "10.0.0.1", 7777);
        const tq::ParsedPacket again = tq::ParseStreamPacket(rebuilt);
        TQ_FUZZ_CHECK(again.wellFormed);
        TQ_FUZZ_CHECK(again.tag == parsed.tag && again.text == parsed.text && again.systemName == parsed.systemName
                      && again.email == parsed.email && again.importance == parsed.importance);
        TQ_FUZZ_CHECK(again.replyAddress == "10.0.0.1:7777");
    }
    return 0;
}
