// The kill-word text of the user's file against a message text from the network; the input
// is split at its first NUL into the two.
#include "FuzzCheck.h"

#include "messages/KillWordFilter.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype split = bytes.indexOf('\0');
    const QByteArrayView killWords = split < 0 ? bytes : bytes.first(split);
    const QByteArrayView message = split < 0 ? QByteArrayView() : bytes.sliced(split + 1);
    if (const auto found = tq::findKillWord(killWords, message))
        TQ_FUZZ_CHECK(!found->isEmpty());
    tq::findKillWord(message, killWords);
    return 0;
}
