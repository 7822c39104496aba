// A burst of messages from several senders over both transports through the real receivers.
#include "station/IncomingRoadFixture.h"

#include "support/QtPrinters.h"

#include <sys/socket.h>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::IncomingRoadTest;
using test::sequenceOf;
using test::waitUntil;

TEST_F(IncomingRoadTest, BurstFromSeveralSendersOverBothTransportsLosesNoAcknowledgedMessage)
{
    constexpr int kSenders = 4;
    constexpr int kEach = 250;
    start();

    std::vector<std::vector<int>> acknowledged(kSenders);
    std::vector<std::vector<int>> confirmed(kSenders);
    std::atomic<int> running{2 * kSenders};
    std::vector<std::thread> senders;
    for (int s = 0; s < kSenders; ++s) {
        const QByteArray source = "127.0.0." + QByteArray::number(10 + s);
        senders.emplace_back([&, s, source] {
            const QByteArray name = "TCP" + QByteArray::number(s);
            for (int i = 0; i < kEach; ++i) {
                const QByteArray packet = BuildStreamPacket(
                    {{}, "Message from " + name + " to BOB.\r\n\r\nseq " + QByteArray::number(i), name, '0', {}},
                    source, 7777);
                if (test::exchangeStreamPacketFrom(source.constData(), listenPort(), packet)
                    == QByteArray::number(packet.size()))
                    acknowledged[s].push_back(i);
            }
            --running;
        });
        senders.emplace_back([&, s] {
            const QByteArray name = "UDP" + QByteArray::number(s);
            const UniqueFd fd = test::udpSocket(("127.0.0." + QByteArray::number(20 + s)).constData());
            const int replyPort = test::boundPort(fd.get());
            const int room = 4 * 1024 * 1024;
            ::setsockopt(fd.get(), SOL_SOCKET, SO_RCVBUF, &room, sizeof room);
            for (int i = 0; i < kEach; ++i) {
                // The receipt names the recipients of the heading: R<i>.
                const QByteArray text =
                    "Message from " + name + " to R" + QByteArray::number(i) + ".\r\n\r\nseq " + QByteArray::number(i);
                test::sendDatagram(fd.get(), udpListenPort(),
                                   BuildDatagramPacket({{}, text, name, '0', {}}, "x", replyPort));
            }
            while (true) {
                const QByteArray receipt = test::receiveDatagram(fd.get(), 5000);
                if (receipt.isEmpty())
                    break;
                const QByteArray text = ParseDatagramPacket(receipt).text;
                const qsizetype at = text.indexOf("Recipient(s) R");
                if (at >= 0)
                    confirmed[s].push_back(text.mid(at + 14).toInt());
                if (static_cast<int>(confirmed[s].size()) == kEach)
                    break;
            }
            --running;
        });
    }
    const bool finished = waitUntil([&] { return running == 0; }, 100000);
    for (auto &sender : senders)
        sender.join();
    ASSERT_TRUE(finished);

    for (int s = 0; s < kSenders; ++s) {
        const QString tcpName = u"TCP%1"_s.arg(s);
        const QString udpName = u"UDP%1"_s.arg(s);
        ASSERT_TRUE(
            waitUntil([&] { return filesOf(tcpName).size() >= static_cast<int>(acknowledged[s].size()); }, 20000))
            << tcpName.toStdString();
        EXPECT_EQ(acknowledged[s].size(), static_cast<size_t>(kEach)) << "loopback senders are all answered";
        EXPECT_EQ(storedSequence(tcpName), acknowledged[s]) << tcpName.toStdString();

        const std::vector<int> udpStored = storedSequence(udpName);
        EXPECT_TRUE(std::is_sorted(udpStored.begin(), udpStored.end())) << udpName.toStdString();
        EXPECT_FALSE(confirmed[s].empty()) << udpName.toStdString();
        for (const int i : confirmed[s])
            EXPECT_TRUE(std::binary_search(udpStored.begin(), udpStored.end(), i)) << udpName.toStdString() << " " << i;
    }

    // The list keeps the newest hundred, each sender's in its order.
    EXPECT_EQ(messages().count(), IncomingMessageHandler::kMaxRecords);
    EXPECT_TRUE(messages().isConsistent());
    std::map<QByteArray, int> last;
    for (const MessageRecord &record : messages()) {
        const QByteArray name = record.sender.left(record.sender.indexOf('/'));
        if (last.count(name)) {
            EXPECT_GT(sequenceOf(record.text), last[name]) << name.constData();
        }
        last[name] = sequenceOf(record.text);
    }
}

} // namespace
} // namespace tq
