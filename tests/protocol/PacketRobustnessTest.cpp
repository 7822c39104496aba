#include "protocol/MessagePacket.h"
#include "protocol/StreamPacketReader.h"

#include <gtest/gtest.h>

#include <random>

namespace tq {
namespace {

// Random and mutated packets through both parsers. Each input is copied into a buffer of
// exactly its own size, so the sanitizer build catches any read past the end.
class PacketRobustness : public ::testing::Test {
protected:
    std::mt19937 random{20261206};

    QByteArray mutate(QByteArray data)
    {
        static const char *const pieces[] = {"/$0", "/$1", "/$4\n", "/$6/$7", "/$7", "#1", "\0#", "\0#6", "\0"};
        const int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits; ++e) {
            const auto pos = data.isEmpty() ? 0 : static_cast<qsizetype>(random() % data.size());
            switch (random() % 4) {
            case 0:
                if (!data.isEmpty())
                    data[pos] = static_cast<char>(random());
                break;
            case 1:
                data.remove(pos, 1 + random() % 8);
                break;
            case 2: {
                const char *piece = pieces[random() % std::size(pieces)];
                data.insert(pos, piece, piece[0] ? qstrlen(piece) : 1);
                break;
            }
            case 3:
                data.truncate(pos);
                break;
            }
        }
        return data;
    }

    static void parseBoth(const QByteArray &input)
    {
        const std::unique_ptr<char[]> exact(new char[std::max<qsizetype>(1, input.size())]);
        std::memcpy(exact.get(), input.constData(), input.size());
        const QByteArrayView view(exact.get(), input.size());
        const ParsedPacket stream = ParseStreamPacket(view);
        const ParsedPacket datagram = ParseDatagramPacket(view);
        // A well-formed packet always has a system name.
        ASSERT_TRUE(!stream.wellFormed || !stream.systemName.isEmpty());
        ASSERT_TRUE(!datagram.wellFormed || !datagram.systemName.isEmpty());
        ASSERT_LE(stream.text.size() + stream.systemName.size(), input.size());
        ASSERT_LE(datagram.text.size() + datagram.systemName.size(), input.size());
    }
};

TEST_F(PacketRobustness, RandomAndMutatedPackets)
{
    for (int i = 0; i < 5000; ++i) {
        QByteArray input(static_cast<qsizetype>(random() % 64), Qt::Uninitialized);
        for (char &c : input)
            c = "/$#0123456789\0\nab"[random() % 17];
        parseBoth(input);
    }

    const MessagePacket packet{"", "Message from A to B.\r\n\r\nHello", "HOST", '1', "a@b.c"};
    const QByteArray stream = BuildStreamPacket(packet, "10.0.0.1", 7777);
    const QByteArray datagram = BuildDatagramPacket(packet, "10.0.0.1", 7777);
    int wellFormed = 0;
    for (int i = 0; i < 10000; ++i) {
        const QByteArray input = mutate(i % 2 ? stream : datagram);
        parseBoth(input);
        wellFormed += ParseStreamPacket(input).wellFormed || ParseDatagramPacket(input).wellFormed;
        StreamPacketReader reader;
        for (qsizetype at = 0; at < input.size() && reader.state() != StreamPacketReader::State::Complete; at += 5)
            reader.feed(QByteArrayView(input).sliced(at, std::min<qsizetype>(5, input.size() - at)));
        ASSERT_LE(reader.text().size(), input.size());
    }
    // The mutations must leave some packets intact, or this test exercises nothing but failures.
    EXPECT_GT(wellFormed, 100);
}

} // namespace
} // namespace tq
