// The receivers answer a message only once the station says it is kept, and stop taking
// messages while too much is waiting: over the wire on loopback.
#include "protocol/CReceiveThread.h"
#include "protocol/CUDPReceiveThread.h"
#include "protocol/HandOverBound.h"
#include "protocol/KeepTicket.h"
#include "protocol/MessagePacket.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>

#include <memory>
#include <vector>

namespace tq {
namespace {

using test::waitUntil;

QByteArray packetWithText(const QByteArray &text)
{
    return BuildStreamPacket({{}, text, "PC", '0', "me@example.org"}, "127.0.0.1", 7777);
}

// Whether the peer has answered (or closed) within `ms`.
bool answeredWithin(int fd, int ms)
{
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, ms) > 0;
}

// A listener whose packets are kept only when the test says so.
class KeptAnswerTest : public ::testing::Test {
protected:
    void start(std::shared_ptr<HandOverBound> bound = {})
    {
        if (bound)
            receiver.setHandOverBound(std::move(bound));
        QObject::connect(&receiver, &CReceiveThread::incomingMessage, &context,
                         [this](Transport, const ReceivedData &data) { received.push_back(data); });
        receiver.start();
        ASSERT_TRUE(waitUntil([this] { return receiver.boundPort() != 0; }));
    }
    UniqueFd sendPacket(const QByteArray &packet)
    {
        UniqueFd fd = test::connectLoopback(receiver.boundPort());
        EXPECT_TRUE(test::sendAll(fd.get(), packet));
        return fd;
    }

    QObject context;
    CReceiveThread receiver{0};
    std::vector<ReceivedData> received;
};

TEST_F(KeptAnswerTest, TheLengthGoesOutOnlyOnceTheMessageIsKeptAndNeverForOneNobodyKept)
{
    start();
    const QByteArray kept = packetWithText("kept");
    const QByteArray lost = packetWithText("lost");
    const UniqueFd first = sendPacket(kept);
    const UniqueFd second = sendPacket(lost);
    ASSERT_TRUE(waitUntil([this] { return received.size() == 2; }));
    EXPECT_FALSE(answeredWithin(first.get(), 300)) << "handed over is not kept";

    received[0].ticket->kept();
    EXPECT_EQ(test::readUntilClosed(first.get()), QByteArray::number(kept.size()));
    // The last copy of the second ticket goes without a word: the connection closes unanswered.
    EXPECT_FALSE(answeredWithin(second.get(), 100));
    received.clear();
    EXPECT_EQ(test::readUntilClosed(second.get()), QByteArray());
}

TEST_F(KeptAnswerTest, ABoundReachedLeavesTheNextSenderUnreadUntilThereIsRoom)
{
    start(std::make_shared<HandOverBound>(1, 1024 * 1024));
    const QByteArray packetA = packetWithText("first");
    const QByteArray packetB = packetWithText("second");
    const UniqueFd first = sendPacket(packetA);
    ASSERT_TRUE(waitUntil([this] { return received.size() == 1; }));
    const UniqueFd second = sendPacket(packetB);
    // The second waits: not handed over, not answered, while the first is not kept.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(received.size(), 1u);
    EXPECT_FALSE(answeredWithin(second.get(), 0));

    received[0].ticket->kept();
    EXPECT_EQ(test::readUntilClosed(first.get()), QByteArray::number(packetA.size()));
    ASSERT_TRUE(waitUntil([this] { return received.size() == 2; }));
    EXPECT_EQ(received[1].data, packetB);
    received[1].ticket->kept();
    EXPECT_EQ(test::readUntilClosed(second.get()), QByteArray::number(packetB.size()));
}

TEST(DatagramBoundTest, DatagramsBeyondTheBoundAreDroppedAndToldOnceAsOneCount)
{
    const auto bound = std::make_shared<HandOverBound>(2, 1024 * 1024);
    CUDPReceiveThread receiver(0);
    receiver.setHandOverBound(bound);
    QObject context;
    std::vector<ReceivedData> received;
    std::vector<quint64> drops;
    QObject::connect(&receiver, &CUDPReceiveThread::incomingMessage, &context,
                     [&](Transport, const ReceivedData &data) { received.push_back(data); });
    QObject::connect(&receiver, &CUDPReceiveThread::datagramsDropped, &context,
                     [&](quint64 count) { drops.push_back(count); });
    receiver.start();
    ASSERT_TRUE(waitUntil([&] { return receiver.boundPort() != 0; }));

    const UniqueFd peer = test::udpSocket();
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(test::sendDatagram(peer.get(), receiver.boundPort(), "datagram " + QByteArray::number(i)));
    ASSERT_TRUE(waitUntil([&] { return !drops.empty(); }));
    EXPECT_EQ(received.size(), 2u);
    EXPECT_EQ(drops, std::vector<quint64>{3});
    EXPECT_EQ(receiver.droppedCount(), 3u);

    // Kept messages give their places back: the next datagram comes through.
    received.clear();
    EXPECT_EQ(bound->messagesWaiting(), 0);
    ASSERT_TRUE(test::sendDatagram(peer.get(), receiver.boundPort(), "after"));
    ASSERT_TRUE(waitUntil([&] { return received.size() == 1; }));
    EXPECT_EQ(received[0].data, QByteArray("after"));
    EXPECT_EQ(drops.size(), 1u) << "told once";
}

} // namespace
} // namespace tq
