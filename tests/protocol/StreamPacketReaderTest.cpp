#include "protocol/StreamPacketReader.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

using State = StreamPacketReader::State;

TEST(StreamPacketReader, EndsAtOnceOnTheRealTerminators)
{
    StreamPacketReader reader;
    EXPECT_EQ(reader.feed("/$0hi/$1PC/$2/$30/$4"), State::Reading);
    EXPECT_EQ(reader.feed("/$7/$5:1/$6/$7"), State::Complete);
    EXPECT_EQ(reader.text(), QByteArray("/$0hi/$1PC/$2/$30/$4/$7/$5:1/$6/$7"));

    StreamPacketReader shortForm;
    EXPECT_EQ(shortForm.feed("/$0hi/$1PC/$2/$30/$4\n"), State::Complete);
}

TEST(StreamPacketReader, AnInnerSevenEndingAReadOnlyMaybeEndsThePacket)
{
    // The e-mail's "/$7" falls exactly on a read boundary: more bytes must still be taken.
    StreamPacketReader reader;
    EXPECT_EQ(reader.feed("/$0hi/$1PC/$2/$30/$4a@b/$7"), State::CompleteIfQuiet);
    EXPECT_EQ(reader.feed("/$5:1/$6"), State::Reading);
    EXPECT_EQ(reader.feed("/$7"), State::Complete);
}

TEST(StreamPacketReader, CapDropsTheOverflowingReadAndEnds)
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
}

TEST(StreamPacketReader, TextEndsAtTheFirstNul)
{
    StreamPacketReader reader;
    reader.feed(QByteArrayView("abc\0def", 7));
    EXPECT_EQ(reader.text(), QByteArray("abc"));
}

} // namespace
} // namespace tq
