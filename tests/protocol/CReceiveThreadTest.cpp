#include "protocol/CReceiveThread.h"
#include "platform/OpenFileLimit.h"
#include "protocol/KeepTicket.h"
#include "protocol/MessagePacket.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

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
    void SetUp() override
    {
        receiver = std::make_unique<CReceiveThread>(0);
        QObject::connect(receiver.get(), &CReceiveThread::incomingMessage, &context,
                         [this](Transport transport, const ReceivedData &data) {
                             EXPECT_EQ(transport, Transport::Tcp);
                             received.push_back(data);
                         });
        // Kept on the listener's own thread, so the sender is answered while the test waits.
        QObject::connect(
            receiver.get(), &CReceiveThread::incomingMessage, &context,
            [](Transport, const ReceivedData &data) { data.ticket->kept(); }, Qt::DirectConnection);
        QObject::connect(receiver.get(), &CReceiveThread::sendResult, &context,
                         [this](SendResultCode code, const QString &text) { reports.emplace_back(int(code), text); });
        receiver->start();
        ASSERT_TRUE(waitUntil([this] { return !reports.empty(); }));
    }

    int port() const { return receiver->boundPort(); }

    QObject context;
    std::unique_ptr<CReceiveThread> receiver;
    std::vector<ReceivedData> received;
    std::vector<std::pair<int, QString>> reports;
};

TEST_F(ListenerTest, ReportsItsPortAndASecondListenerOnItGetsCodeThree)
{
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], std::pair(2, QStringLiteral("TCP port %1").arg(port())));

    CReceiveThread second(port());
    QObject::connect(&second, &CReceiveThread::sendResult, &context,
                     [this](SendResultCode code, const QString &text) { reports.emplace_back(int(code), text); });
    second.start();
    ASSERT_TRUE(waitUntil([this] { return reports.size() == 2; }));
    EXPECT_EQ(reports[1], std::pair(3, QStringLiteral("TCP port %1").arg(port())));
}

TEST(ListenerStartTest, APortTakenBetweenBindAndListenIsReportedBusy)
{
    // Another program that shares the port by SO_REUSEADDR starts listening in the moment
    // after our bind: the kernel then refuses our listen with "address in use".
    const int port = test::unusedTcpPort();
    UniqueFd other;
    CReceiveThread receiver(port);
    receiver.setBetweenBindAndListen([&] {
        other.reset(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        const int yes = 1;
        ::setsockopt(other.get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_ANY);
        address.sin_port = htons(static_cast<uint16_t>(port));
        EXPECT_EQ(::bind(other.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(other.get(), 1), 0);
    });
    QObject context;
    std::vector<std::pair<int, QString>> reports;
    QStringList criticals;
    QObject::connect(&receiver, &CReceiveThread::sendResult, &context,
                     [&](SendResultCode code, const QString &text) { reports.emplace_back(int(code), text); });
    QObject::connect(&receiver, &CReceiveThread::criticalError, &context,
                     [&](const QString &text) { criticals.append(text); });
    receiver.start();
    ASSERT_TRUE(waitUntil([&] { return !reports.empty() || !criticals.isEmpty(); }));
    EXPECT_EQ(reports, (std::vector<std::pair<int, QString>>{{3, QStringLiteral("TCP port %1").arg(port)}}));
    EXPECT_TRUE(criticals.isEmpty());
    EXPECT_EQ(receiver.boundPort(), 0) << "nothing listens";
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

TEST_F(ListenerTest, PacketEndingInAnInnerSevenAndAProbeAreTakenWhenNothingMoreComes)
{
    for (const QByteArray &packet : {QByteArray("/$0hi/$1PC/$2/$30/$4a@b/$7"), QByteArray("QA_IDENTIFY_MESSAGE/$7")})
        EXPECT_EQ(exchangeStreamPacket(port(), packet), QByteArray::number(packet.size()));
    ASSERT_TRUE(waitUntil([this] { return received.size() == 2; }));
    EXPECT_EQ(received[0].data, QByteArray("/$0hi/$1PC/$2/$30/$4a@b/$7"));
}

TEST_F(ListenerTest, WhatCameBeforeThePeerClosedIsAcknowledgedAndOnlyDataIsHandedOn)
{
    for (const QByteArray &sent : {QByteArray(), QByteArray("no terminator here")}) {
        UniqueFd fd = test::connectLoopback(port());
        ASSERT_TRUE(fd.valid());
        ASSERT_TRUE(test::sendAll(fd.get(), sent));
        ::shutdown(fd.get(), SHUT_WR);
        EXPECT_EQ(test::readUntilClosed(fd.get()), QByteArray::number(sent.size()));
    }
    ASSERT_TRUE(waitUntil([this] { return !received.empty(); }));
    QCoreApplication::processEvents();
    ASSERT_EQ(received.size(), 1u) << "a connection without data hands nothing on";
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

// Idle connections held open by others, as a crowd of peers that connect and say nothing.
class IdleCrowd {
public:
    // `perAddress` connections from each of 127.0.0.`firstHost`, the next address, ...
    bool open(int port, int addresses, int perAddress, int firstHost = 2)
    {
        for (int a = 0; a < addresses; ++a) {
            const QByteArray source = "127.0.0." + QByteArray::number(firstHost + a);
            for (int i = 0; i < perAddress; ++i) {
                m_fds.push_back(test::connectFrom(source.constData(), port));
                if (!m_fds.back().valid())
                    return false;
            }
        }
        return true;
    }
    UniqueFd &at(std::size_t i) { return m_fds.at(i); }
    // Connections the listener has neither answered nor closed.
    int heldOpen() const
    {
        int held = 0;
        for (const UniqueFd &fd : m_fds) {
            pollfd pfd{fd.get(), POLLIN, 0};
            held += ::poll(&pfd, 1, 0) == 0 ? 1 : 0;
        }
        return held;
    }

private:
    std::vector<UniqueFd> m_fds;
};

QByteArray exchangeFrom(const char *source, int port, const QByteArray &packet, int answerTimeoutMs)
{
    const UniqueFd fd = test::connectFrom(source, port);
    if (!fd.valid() || !test::sendAll(fd.get(), packet))
        return "<no connection>";
    return test::readUntilClosed(fd.get(), answerTimeoutMs);
}

TEST_F(ListenerTest, IdleCrowdsDoNotKeepAnotherSenderWaiting)
{
    raiseOpenFileLimit();
    struct Crowd {
        int addresses;
        int perAddress;
        int held; // 8 read from one address, 64 more waiting
    };
    for (const Crowd crowd : {Crowd{1, 1000, 72}, Crowd{16, 8, 128}}) {
        IdleCrowd idle;
        ASSERT_TRUE(idle.open(port(), crowd.addresses, crowd.perAddress));
        ASSERT_TRUE(waitUntil([&] { return idle.heldOpen() == crowd.held; }))
            << crowd.addresses << " x " << crowd.perAddress << ": " << idle.heldOpen() << " held";

        const QByteArray packet = packetWithText("a sender with a message");
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(exchangeFrom("127.0.0.1", port(), packet, 3000), QByteArray::number(packet.size()));
        EXPECT_LT(timer.elapsed(), 1000) << crowd.addresses << " x " << crowd.perAddress;
        // Over its address's share and its waiting places, a connection is answered with "0"
        // and closed at once.
        if (crowd.perAddress > 8) {
            EXPECT_EQ(test::readUntilClosed(idle.at(crowd.perAddress - 1).get(), 1000), "0");
        }
    }
}

TEST_F(ListenerTest, WhenEveryPlaceIsTakenTheQuietestGivesWayAfterFiveSeconds)
{
    raiseOpenFileLimit();
    IdleCrowd idle;
    // The first of 256 places goes to a connection that sends a little and then falls silent.
    ASSERT_TRUE(idle.open(port(), 1, 1, 100));
    ASSERT_TRUE(test::sendAll(idle.at(0).get(), "/$0abc"));
    QThread::msleep(100);
    ASSERT_TRUE(idle.open(port(), 31, 8) && idle.open(port(), 1, 7, 50));
    ASSERT_TRUE(waitUntil([&] { return idle.heldOpen() == 256; })) << idle.heldOpen() << " held";

    const QByteArray packet = packetWithText("waits for a place");
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(exchangeFrom("127.0.0.1", port(), packet, 10000), QByteArray::number(packet.size()));
    EXPECT_GE(timer.elapsed(), 4000) << "a place is taken only after five quiet seconds";
    // The quietest got the length of what it sent, as on a time-out; the others stay.
    EXPECT_EQ(test::readUntilClosed(idle.at(0).get(), 1000), "6");
    EXPECT_EQ(idle.heldOpen(), 255);
    ASSERT_TRUE(waitUntil([this] { return received.size() == 2; }));
    EXPECT_EQ(received[0].data, QByteArray("/$0abc"));
    EXPECT_EQ(received[1].data, packet);
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

} // namespace
} // namespace tq
