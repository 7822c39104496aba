#include "protocol/CUDPReceiveThread.h"

#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::waitUntil;

// Sends one datagram from `sourceIp` to the loopback port.
bool sendDatagramFrom(const char *sourceIp, int port, QByteArrayView datagram)
{
    const UniqueFd fd = test::udpSocket(sourceIp);
    return fd.valid() && test::sendDatagram(fd.get(), port, datagram);
}

class UdpReceiverTest : public ::testing::Test {
protected:
    void start(int port = 0)
    {
        receiver = std::make_unique<CUDPReceiveThread>(port);
        QObject::connect(receiver.get(), &CUDPReceiveThread::incomingMessage, &context,
                         [this](Transport transport, const ReceivedData &data) {
                             EXPECT_EQ(transport, Transport::Udp);
                             received.push_back(data);
                         });
        QObject::connect(receiver.get(), &CUDPReceiveThread::sendResult, &context,
                         [this](SendResultCode code, const QString &text) { reports.emplace_back(int(code), text); });
        receiver->start();
    }
    void startListening()
    {
        start();
        ASSERT_TRUE(waitUntil([this] { return receiver->boundPort() != 0; }));
    }
    int port() const { return receiver->boundPort(); }

    QObject context;
    std::unique_ptr<CUDPReceiveThread> receiver;
    std::vector<ReceivedData> received;
    std::vector<std::pair<int, QString>> reports;
};

TEST_F(UdpReceiverTest, HandsEachDatagramOnWithItsSenderAndLengthPlusOneButNotEmptyOnes)
{
    startListening();
    // The most an IPv4 datagram can carry; the receiver would take up to 65534 bytes.
    QByteArray largest(65507, 'x');
    largest[0] = 'a';
    largest[largest.size() - 1] = 'z';
    ASSERT_TRUE(sendDatagramFrom("127.0.0.2", port(), ""));
    ASSERT_TRUE(sendDatagramFrom("127.0.0.2", port(), largest));
    ASSERT_TRUE(sendDatagramFrom("127.0.0.3", port(), "second"));
    ASSERT_TRUE(waitUntil([this] { return received.size() >= 2; }));
    QCoreApplication::processEvents();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].data, largest);
    EXPECT_EQ(received[0].length, 65508u);
    EXPECT_EQ(received[0].senderIp, "127.0.0.2"_ba);
    EXPECT_EQ(received[1].data, "second"_ba);
    EXPECT_EQ(received[1].senderIp, "127.0.0.3"_ba);
    EXPECT_TRUE(reports.empty()) << "the UDP receiver does not report that it listens";
}

TEST_F(UdpReceiverTest, BusyPortIsReportedWithCodeThree)
{
    const UniqueFd taken = test::udpSocket("0.0.0.0");
    ASSERT_TRUE(taken.valid());
    const int busyPort = test::boundPort(taken.get());

    start(busyPort);
    ASSERT_TRUE(waitUntil([this] { return !reports.empty(); }));
    EXPECT_EQ(reports[0].first, 3);
    EXPECT_EQ(reports[0].second, u"UDP port %1"_s.arg(busyPort));
    EXPECT_EQ(receiver->boundPort(), 0);
}

TEST_F(UdpReceiverTest, AsksForAReceiveBufferOfAtLeastOneMebibyte)
{
    QFile limitFile(u"/proc/sys/net/core/rmem_max"_s);
    const long limit = limitFile.open(QIODevice::ReadOnly) ? limitFile.readAll().trimmed().toLong() : 0;
    if (::geteuid() != 0 && limit < CUDPReceiveThread::kReceiveBufferBytes)
        GTEST_SKIP() << "net.core.rmem_max is " << limit << " bytes and only a privileged process may go beyond it";
    startListening();
    EXPECT_GE(receiver->receiveBufferBytes(), CUDPReceiveThread::kReceiveBufferBytes);
}

} // namespace
} // namespace tq
