#include "protocol/CReceiveThread.h"
#include "protocol/MessagePacket.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <future>

namespace tq {
namespace {

using test::exchangeStreamPacket;
using test::waitUntil;

QByteArray packetWithText(const QByteArray &text)
{
    return BuildStreamPacket({{}, text, "PC", '0', "me@example.org"}, "127.0.0.1", 7777);
}

// A listener on a port of the system's choosing, recording everything it reports.
class ListenerTest : public ::testing::Test {
protected:
    void SetUp() override { startListener(0); }

    void startListener(int port)
    {
        receiver = std::make_unique<CReceiveThread>(port);
        QObject::connect(receiver.get(), &CReceiveThread::incomingMessage, &context,
                         [this](Transport transport, const ReceivedData &data) {
                             EXPECT_EQ(transport, Transport::Tcp);
                             received.push_back(data);
                         });
        QObject::connect(receiver.get(), &CReceiveThread::sendResult, &context,
                         [this](int code, const QString &text) { reports.emplace_back(code, text); });
        receiver->start();
        ASSERT_TRUE(waitUntil([this] { return !reports.empty(); }));
    }

    int port() const { return receiver->boundPort(); }

    QObject context;
    std::unique_ptr<CReceiveThread> receiver;
    std::vector<ReceivedData> received;
    std::vector<std::pair<int, QString>> reports;
};

TEST_F(ListenerTest, ReportsListeningWithItsPort)
{
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].first, 2);
    EXPECT_EQ(reports[0].second, QStringLiteral("TCP port %1").arg(port()));
}

TEST_F(ListenerTest, PacketInPiecesArrivesWholeAndIsAcknowledgedWithItsLength)
{
    const QByteArray packet = packetWithText(QByteArray(1000, 'a') + "\r\nend");
    EXPECT_EQ(exchangeStreamPacket(port(), packet, 100), QByteArray::number(packet.size()));
    ASSERT_TRUE(waitUntil([this] { return received.size() == 1; }));
    EXPECT_EQ(received[0].data, packet);
    EXPECT_EQ(received[0].length, static_cast<quint32>(packet.size()));
    EXPECT_EQ(received[0].senderIp, QByteArray("127.0.0.1"));
}

TEST_F(ListenerTest, InnerSevenOnAReadBoundaryDoesNotCutThePacket)
{
    // The first "/$7" (before "/$5") ends exactly where the sender pauses.
    const QByteArray packet = packetWithText("hello");
    const qsizetype innerSeven = packet.indexOf("/$7/$5") + 3;
    UniqueFd fd = test::connectLoopback(port());
    ASSERT_TRUE(fd.valid());
    ASSERT_TRUE(test::sendAll(fd.get(), packet.first(innerSeven)));
    QThread::msleep(60);
    ASSERT_TRUE(test::sendAll(fd.get(), packet.sliced(innerSeven)));
    EXPECT_EQ(test::readUntilClosed(fd.get()), QByteArray::number(packet.size()));
    ASSERT_TRUE(waitUntil([this] { return received.size() == 1; }));
    EXPECT_EQ(received[0].data, packet);
}

TEST_F(ListenerTest, PacketEndingInAnInnerSevenIsTakenWhenNothingMoreComes)
{
    const QByteArray packet("/$0hi/$1PC/$2/$30/$4a@b/$7");
    EXPECT_EQ(exchangeStreamPacket(port(), packet), QByteArray::number(packet.size()));
    ASSERT_TRUE(waitUntil([this] { return received.size() == 1; }));
    EXPECT_EQ(received[0].data, packet);
}

TEST_F(ListenerTest, ConnectionWithoutDataGetsZeroAndHandsNothingOn)
{
    UniqueFd fd = test::connectLoopback(port());
    ASSERT_TRUE(fd.valid());
    ::shutdown(fd.get(), SHUT_WR);
    EXPECT_EQ(test::readUntilClosed(fd.get()), QByteArray("0"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(received.empty());
}

TEST_F(ListenerTest, UnterminatedDataIsHandedOnWhenThePeerCloses)
{
    UniqueFd fd = test::connectLoopback(port());
    ASSERT_TRUE(test::sendAll(fd.get(), "no terminator here"));
    ::shutdown(fd.get(), SHUT_WR);
    EXPECT_EQ(test::readUntilClosed(fd.get()), QByteArray("18"));
    ASSERT_TRUE(waitUntil([this] { return received.size() == 1; }));
    EXPECT_EQ(received[0].data, QByteArray("no terminator here"));
}

TEST_F(ListenerTest, MoreThan65535BytesAreCutAndAcknowledgedWithTheKeptLength)
{
    const QByteArray huge(70000, 'z');
    UniqueFd fd = test::connectLoopback(port());
    ASSERT_TRUE(fd.valid());
    std::thread writer([&] { test::sendAll(fd.get(), huge, 256); });
    const QByteArray answer = test::readUntilClosed(fd.get(), 10000);
    writer.join();
    ASSERT_TRUE(waitUntil([this] { return received.size() == 1; }));
    const qsizetype kept = received[0].data.size();
    EXPECT_LE(kept, 65535);
    EXPECT_GT(kept, 65535 - 256);
    EXPECT_EQ(answer, QByteArray::number(kept));
}

TEST_F(ListenerTest, ProbeIsAcknowledged)
{
    const QByteArray probe("QA_IDENTIFY_MESSAGE/$7");
    EXPECT_EQ(exchangeStreamPacket(port(), probe), QByteArray::number(probe.size()));
}

TEST_F(ListenerTest, SilentConnectionDoesNotDelayAnotherSender)
{
    UniqueFd silent = test::connectLoopback(port());
    ASSERT_TRUE(silent.valid());
    ASSERT_TRUE(test::sendAll(silent.get(), "/$0partial"));
    QElapsedTimer timer;
    timer.start();
    const QByteArray packet = packetWithText("second sender");
    EXPECT_EQ(exchangeStreamPacket(port(), packet), QByteArray::number(packet.size()));
    EXPECT_LT(timer.elapsed(), 2000);
    ASSERT_TRUE(waitUntil([this] { return received.size() == 1; }));
    EXPECT_EQ(received[0].data, packet);
}

TEST_F(ListenerTest, StopReturnsPromptlyWithConnectionsOpen)
{
    std::vector<UniqueFd> open;
    for (int i = 0; i < 3; ++i) {
        open.push_back(test::connectLoopback(port()));
        test::sendAll(open.back().get(), "/$0waiting");
    }
    QThread::msleep(50);
    QElapsedTimer timer;
    timer.start();
    receiver->stop();
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_FALSE(receiver->isRunning());
    // The listening socket is gone.
    EXPECT_FALSE(test::connectLoopback(port(), "127.0.0.1", 500).valid());
}

TEST_F(ListenerTest, PacketsFromManyConcurrentSendersAllArrive)
{
    constexpr int kSenders = 40;
    std::vector<std::future<QByteArray>> answers;
    for (int i = 0; i < kSenders; ++i) {
        answers.push_back(std::async(std::launch::async, [this, i] {
            return exchangeStreamPacket(port(), packetWithText("message " + QByteArray::number(i)), 7);
        }));
    }
    for (int i = 0; i < kSenders; ++i)
        EXPECT_EQ(answers[i].get(), QByteArray::number(packetWithText("message " + QByteArray::number(i)).size()));
    ASSERT_TRUE(waitUntil([this] { return received.size() == kSenders; }));
}

TEST(ListenerPortBusy, BusyPortGivesCodeThreeWithThePort)
{
    // Another program holds the port.
    UniqueFd holder(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    ASSERT_EQ(::bind(holder.get(), reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(holder.get(), 1), 0);
    socklen_t length = sizeof address;
    ::getsockname(holder.get(), reinterpret_cast<sockaddr *>(&address), &length);
    const int busyPort = ntohs(address.sin_port);

    QObject context;
    CReceiveThread receiver(busyPort);
    std::vector<std::pair<int, QString>> reports;
    QObject::connect(&receiver, &CReceiveThread::sendResult, &context,
                     [&](int code, const QString &text) { reports.emplace_back(code, text); });
    receiver.start();
    ASSERT_TRUE(waitUntil([&] { return !reports.empty(); }));
    EXPECT_EQ(reports[0].first, 3);
    EXPECT_EQ(reports[0].second, QStringLiteral("TCP port %1").arg(busyPort));
}

} // namespace
} // namespace tq
