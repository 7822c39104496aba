// The delivery receipt built from a received text: whatever the text, the receipt parses as
// a receipt and carries the text made for it.
#include "FuzzCheck.h"

#include "protocol/DeliveryReceipt.h"
#include "protocol/MessagePacket.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView received(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QByteArray stamp = "Tuesday, 5 March 2024, 14:07:09";
    const QByteArray recipients = tq::receiptRecipients(received, "10.0.0.9");
    TQ_FUZZ_CHECK(!recipients.contains('\0') && !recipients.contains('\n'));
    const QByteArray receipt = tq::BuildDeliveryReceipt(received, stamp, {"BOB", "bob@example.org", "10.0.0.9", 7777});
    TQ_FUZZ_CHECK(tq::isDeliveryReceipt(receipt));
    const tq::ParsedPacket parsed = tq::ParseDatagramPacket(receipt);
    TQ_FUZZ_CHECK(parsed.wellFormed);
    TQ_FUZZ_CHECK(parsed.text == tq::deliveryReceiptText(received, stamp, "10.0.0.9"));
    TQ_FUZZ_CHECK(parsed.systemName == "BOB" && parsed.replyAddress == "10.0.0.9:7777u");
    return 0;
}
