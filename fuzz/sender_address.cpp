// The reply port and sender address made from a packet's reply address.
#include "FuzzCheck.h"

#include "protocol/SenderAddress.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView replyAddress(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const int ownPort : {7777, 1, 65535}) {
        const int port = tq::replyPort(replyAddress, ownPort);
        TQ_FUZZ_CHECK(port >= 1 && port <= 65535);
        for (const tq::Transport transport : {tq::Transport::Tcp, tq::Transport::Udp}) {
            const QByteArray address = tq::senderAddress("10.0.0.5", port, transport, ownPort);
            TQ_FUZZ_CHECK(address.startsWith("10.0.0.5"));
            TQ_FUZZ_CHECK(address.endsWith('u') == (transport == tq::Transport::Udp));
        }
    }
    tq::isLocalSender(replyAddress, "10.0.0.9");
    return 0;
}
