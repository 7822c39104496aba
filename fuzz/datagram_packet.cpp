// The datagram form as the UDP receiver hands it on.
#include "FuzzCheck.h"

#include "protocol/MessagePacket.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const tq::ParsedPacket parsed = tq::ParseDatagramPacket(bytes);
    if (!parsed.wellFormed)
        return 0;
    TQ_FUZZ_CHECK(!parsed.systemName.isEmpty());
    // Markers need a NUL, so fields without one survive a trip through the sender's form.
    const auto noNul = [](const QByteArray &field) { return !field.contains('\0'); };
    if (noNul(parsed.tag) && noNul(parsed.text) && noNul(parsed.systemName) && noNul(parsed.email)
        && parsed.importance != '\0') {
        const QByteArray rebuilt = tq::BuildDatagramPacket(
            {parsed.tag, parsed.text, parsed.systemName, parsed.importance, parsed.email}, "10.0.0.1", 7777);
        const tq::ParsedPacket again = tq::ParseDatagramPacket(rebuilt);
        TQ_FUZZ_CHECK(again.wellFormed);
        TQ_FUZZ_CHECK(again.tag == parsed.tag && again.text == parsed.text && again.systemName == parsed.systemName
                      && again.email == parsed.email && again.importance == parsed.importance);
        TQ_FUZZ_CHECK(again.replyAddress == "10.0.0.1:7777u");
    }
    return 0;
}
