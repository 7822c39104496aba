#include "protocol/StreamPacketReader.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

using State = StreamPacketReader::State;

TEST(StreamPacketReader, CapDropsTheOverflowingReadAndTheTextEndsAtTheFirstNul)
{
    StreamPacketReader reader;
    const QByteArray chunk(256, 'x');
    int reads = 0;
    while (reader.feed(chunk) != State::Complete)
        ++reads;
    EXPECT_EQ(reads, 255);
    EXPECT_TRUE(reader.wasCut());
    EXPECT_EQ(reader.text().size(), 255 * 256);

    StreamPacketReader exact;
    exact.feed(QByteArray(65535, 'y'));
    EXPECT_FALSE(exact.wasCut()) << "65535 bytes fit";

    StreamPacketReader withNul;
    withNul.feed(QByteArrayView("abc\0def", 7));
    EXPECT_EQ(withNul.text(), QByteArray("abc"));
}

} // namespace
} // namespace tq
