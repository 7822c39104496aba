// The framing of one TCP connection: the first byte of the input sets the size of the reads
// the bytes after it arrive in.
#include "FuzzCheck.h"

#include "protocol/StreamPacketReader.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype piece = 1 + data[0] % tq::StreamPacketReader::kReadChunk;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data) + 1, static_cast<qsizetype>(size - 1));
    tq::StreamPacketReader reader;
    qsizetype fed = 0;
    // Three quarters of a megabyte is enough to pass the size cap several times over.
    for (int round = 0; round < 12 && reader.state() != tq::StreamPacketReader::State::Complete; ++round) {
        for (qsizetype at = 0; at < bytes.size(); at += piece) {
            const QByteArrayView chunk = bytes.sliced(at, std::min(piece, bytes.size() - at));
            fed += chunk.size();
            if (reader.feed(chunk) == tq::StreamPacketReader::State::Complete)
                break;
        }
        if (bytes.isEmpty())
            break;
    }
    const QByteArray text = reader.text();
    TQ_FUZZ_CHECK(text.size() <= tq::StreamPacketReader::kMaxPacket);
    TQ_FUZZ_CHECK(!text.contains('\0'));
    TQ_FUZZ_CHECK(!reader.wasCut() || fed > tq::StreamPacketReader::kMaxPacket);
    return 0;
}
