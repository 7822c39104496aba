// Messages through the real listeners into the main window, its list and its files.
#include "addressbook/AddressBookNames.h"
#include "addressbook/AddressBookStore.h"
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "protocol/CReceiveThread.h"
#include "protocol/CUDPReceiveThread.h"
#include "protocol/MessagePacket.h"

#include "app/MainFrameFixture.h"
#include "support/Files.h"

#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <sys/socket.h>

#include <atomic>
#include <map>
#include <thread>
#include <utility>
#include <vector>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::readFile;
using test::waitUntil;

int sequenceOf(const QByteArray &text)
{
    return text.mid(text.lastIndexOf("seq ") + 4).toInt();
}

// Station B is the program with its window; the test plays station A and the other senders
// from further loopback addresses.
class IncomingRoadTest : public test::MainFrameFixture {
protected:
    IncomingRoadTest()
    {
        settings.set(keys::UdpPort, udpPort);
        settings.set(keys::SystemName, u"BOB"_s);
        settings.set(keys::EmailAddress, u"bob@example.org"_s);
        settings.set(keys::StoreAndLoad, 1);
    }

    void start()
    {
        frame = makeFrame();
        view = frame->view();
        frame->show();
        frame->initialUpdate();
        ASSERT_TRUE(waitUntil([this] {
            return frame->tcpReceiver() && frame->tcpReceiver()->boundPort() != 0 && frame->udpReceiver()
                && frame->udpReceiver()->boundPort() != 0;
        }));
    }

    const MessageList &messages() const { return view->viewer().messages(); }
    QString messagesDir() const { return appDataDir() + u"messages/"_s; }
    QStringList filesOf(const QString &systemName) const
    {
        return QDir(messagesDir()).entryList({u"*"_s + systemName + u".tqm"_s}, QDir::Files, QDir::Name);
    }
    // Sequence numbers of the messages stored for `systemName`, in file-name (arrival) order.
    std::vector<int> storedSequence(const QString &systemName) const
    {
        std::vector<int> sequence;
        for (const QString &name : filesOf(systemName))
            sequence.push_back(sequenceOf(readFile(messagesDir() + name)));
        return sequence;
    }
    // Sends from station A, 127.0.0.2; true when the packet was acknowledged with its length.
    bool send(const QByteArray &name, const QByteArray &text, int replyPort = 7777)
    {
        const QByteArray packet = BuildStreamPacket({{}, text, name, '0', "ann@example.org"}, "127.0.0.2", replyPort);
        return test::exchangeStreamPacketFrom("127.0.0.2", port, packet) == QByteArray::number(packet.size());
    }

    const int udpPort = test::unusedUdpPort();
    std::unique_ptr<CMainFrame> frame;
    CTq20View *view = nullptr;
};

TEST_F(IncomingRoadTest, StreamPacketAndDatagramFromAnotherStationAreStoredAndTheDatagramConfirmed)
{
    start();
    const QByteArray streamText = "Message from Ann to Bob.\r\n\r\nover TCP\r\nsecond line";
    EXPECT_TRUE(send("ANN", streamText));
    ASSERT_TRUE(waitUntil([this] { return messages().count() == 1; }));

    const UniqueFd stationA = test::udpSocket("127.0.0.2");
    ASSERT_TRUE(stationA.valid());
    const int replyPort = test::boundPort(stationA.get());
    const QByteArray udpText = "Message from Ann to Bob, Carl.\r\n\r\nover UDP";
    ASSERT_TRUE(test::sendDatagram(stationA.get(), udpPort,
                                   BuildDatagramPacket({{}, udpText, "ANN", '0', {}}, "127.0.0.2", replyPort)));
    ASSERT_TRUE(waitUntil([this] { return messages().count() == 2; }));
    const QByteArray receipt = test::receiveDatagram(stationA.get());
    view->incomingHandler().flushFiles();

    const QStringList files = filesOf(u"ANN"_s);
    ASSERT_EQ(files.size(), 2);
    // Month, day, hour, minute, second and millisecond of the arrival.
    const QString today = QDate::currentDate().toString(u"MMdd"_s);
    for (const QString &name : files)
        EXPECT_TRUE(QRegularExpression(u"^"_s + today + u"\\d{9}ANN\\.tqm$"_s).match(name).hasMatch()) << name.toStdString();

    const QByteArray streamStamp = messages().oldest()->text.left(messages().oldest()->text.indexOf("\r\n"));
    const QByteArray udpStamp = messages().newest()->text.left(messages().newest()->text.indexOf("\r\n"));
    // Station A listens on TCP port 7777, which is not the port of this station.
    EXPECT_EQ(readFile(messagesDir() + files[0]), "0ANN/127.0.0.2:7777\r\n" + streamStamp + "\r\n" + streamText);
    EXPECT_EQ(readFile(messagesDir() + files[1]),
              "0ANN/127.0.0.2:" + QByteArray::number(replyPort) + "u\r\n" + udpStamp + "\r\n" + udpText);

    const QByteArray receiptText = "NOTIFY MESSAGE\r\nRecipient(s) Bob, Carl successfully received your message.\r\n"
                                   "Date: " + udpStamp + "\r\nSize of received message: " + QByteArray::number(udpText.size());
    EXPECT_EQ(receipt, BuildDatagramPacket({"NOTIFY_MESSAGE", receiptText, "BOB", '0', "bob@example.org"},
                                           view->ownAddress(), udpPort));

    // Arrivals are shown once the burst they came in has been handled.
    EXPECT_TRUE(waitUntil([this] { return view->messagePane()->toPlainText().endsWith(u"\n\nover UDP"_s); }));
    EXPECT_EQ(sound.played, QStringList({u"receive.wav"_s, u"receive.wav"_s}));
}

TEST_F(IncomingRoadTest, AnEightBitMessageAndItsStampAreEachShownByTheirOwnRuleAndStoredAsTheyCame)
{
    start();
    // A German desktop: the stamp, this station's own text, holds "März" in UTF-8.
    view->incomingHandler().setStampFormat(ArrivalStampFormat(QLocale(QLocale::German, QLocale::Germany)));
    view->incomingHandler().setWallClock([] { return QDateTime(QDate(2024, 3, 5), QTime(10, 0, 0)); });
    // From a station that writes Windows-1252.
    const QByteArray text = "Message from Ann to Bob.\r\n\r\nGr\xFC\xDF"
                            "e aus K\xF6ln";
    ASSERT_TRUE(send("ANN", text));
    ASSERT_TRUE(waitUntil([this] { return messages().count() == 1; }));
    const QString shown = u"Dienstag, 5. März 2024, 10:00:00\nMessage from Ann to Bob.\n\nGrüße aus Köln"_s;
    ASSERT_TRUE(waitUntil([&] { return view->messagePane()->toPlainText() == shown; }))
        << view->messagePane()->toPlainText().toStdString();

    view->incomingHandler().flushFiles();
    const QStringList files = filesOf(u"ANN"_s);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(readFile(messagesDir() + files[0]),
              "0ANN/127.0.0.2:7777\r\nDienstag, 5. M\xC3\xA4rz 2024, 10:00:00\r\n" + text);

    // Loaded from its file at the next start, it shows the same.
    frame.reset();
    start();
    EXPECT_EQ(view->messagePane()->toPlainText(), shown);
}

TEST_F(IncomingRoadTest, ArrivalRaisesTheWindowWhenAskedAndKeepsTheShownMessageWhenAsked)
{
    settings.set(keys::Popup, 1);
    settings.set(keys::DontAutoLast, 1);
    settings.set(keys::EnableSound, 0);
    start();
    QSignalSpy restore(view, &CTq20View::restoreRequested);
    clock.advance(5000);

    ASSERT_TRUE(send("ANN", "first"));
    ASSERT_TRUE(waitUntil([this] { return messages().count() == 1; }));
    EXPECT_EQ(restore.count(), 1);
    EXPECT_EQ(view->viewer().lastArrivalMs(), clock.now);
    const QString firstShown = view->messagePane()->toPlainText();
    EXPECT_TRUE(firstShown.endsWith(u"\nfirst"_s));

    ASSERT_TRUE(send("ANN", "second"));
    ASSERT_TRUE(waitUntil([this] { return messages().count() == 2; }));
    EXPECT_EQ(view->messagePane()->toPlainText(), firstShown);
    EXPECT_EQ(frame->statusPane(2)->text(), u"1/2"_s);
    EXPECT_EQ(restore.count(), 2);
    EXPECT_TRUE(sound.played.isEmpty());
}

// Entries of the filtered-message file: the reason line, the separator, the arrival stamp,
// the text and the separator again. Each entry's stamp is whatever time it arrived.
bool filteredEntriesAre(const QByteArray &content, const std::vector<std::pair<QByteArray, QByteArray>> &entries)
{
    const QString stars = QRegularExpression::escape(QString(43, u'*') + u"\r\n"_s);
    QString pattern = u"^"_s;
    for (const auto &[reason, text] : entries)
        pattern += QRegularExpression::escape(QString::fromUtf8(reason)) + stars + u"[^\\r\\n]+\\r\\n"_s
            + QRegularExpression::escape(QString::fromUtf8(text + "\r\n")) + stars;
    pattern += u"$"_s;
    return QRegularExpression(pattern).match(QString::fromUtf8(content)).hasMatch();
}

TEST_F(IncomingRoadTest, UnwantedMessagesGoToTheFilteredFileAndNeverToTheWindow)
{
    AddressBookStore book;
    const QString top = addressbook::topLevelName();
    ASSERT_TRUE(book.CreateGroup(u"Quiet"_s));
    for (const auto &[group, name, host, active] : {std::tuple(top, u"ANN"_s, u"127.0.0.2"_s, true),
                                                    {top, u"JIMBOB"_s, u"10.0.0.7"_s, true},
                                                    {top, u"NOHOST"_s, QString(), true},
                                                    {top, u"DAVE"_s, u"10.0.0.9"_s, false},
                                                    {u"Quiet"_s, u"CARL"_s, u"10.0.0.8"_s, true}})
        ASSERT_TRUE(book.PutUserKeepState(group, name, host, active));
    ASSERT_TRUE(book.SetGroupActive(u"Quiet"_s, false));
    ASSERT_TRUE(test::writeFile(appDataDir() + u"KillFile.tqm"_s, "free, spam offer\r\nlottery\r\n"));
    settings.set(keys::EnableSound, 0);
    start();
    const QString deadPath = appDataDir() + u"outfiltered.txt"_s;
    quint32 expectedCount = 0;
    const auto accepted = [&] {
        ++expectedCount;
        return waitUntil([&] { return messages().count() == expectedCount; });
    };
    const auto rejected = [&](int entries) {
        return waitUntil([&] { return readFile(deadPath).count(QByteArray(43, '*')) == 2 * entries; });
    };

    send("CARL", "from a member of a deactivated group");
    send("DAVE", "from a deactivated user");
    send("ANN", "Get it FREE!");
    send("ANN", "a spam offer");
    send("ANN", "lottery at the start");
    ASSERT_TRUE(rejected(5));
    send("ANN", "freedom");
    ASSERT_TRUE(accepted());
    send("ANN", "freedom is free");
    ASSERT_TRUE(accepted());
    send("ANN", "freedom is free");
    ASSERT_TRUE(rejected(6)) << "the same sender and text as the newest message";
    send("ANN", "freedom is free", 7778);
    ASSERT_TRUE(accepted()) << "another sender address";

    settings.set(keys::OnlyKnowUsers, 1);
    view->reloadSettings();
    send("ann", "known by another case");
    ASSERT_TRUE(accepted());
    send("BOB", "only JIMBOB is known");
    send("NOHOST", "a user without host");
    ASSERT_TRUE(rejected(8));

    const QByteArray notActivated = "Message From non-Activated User.\r\n";
    const QByteArray notInBook = "Message From non-Address Book User.\r\n";
    const QByteArray content = readFile(deadPath);
    EXPECT_TRUE(filteredEntriesAre(content, {
                                                {notActivated, "from a member of a deactivated group"},
                                                {notActivated, "from a deactivated user"},
                                                {"Message with string \"FREE\"\r\n", "Get it FREE!"},
                                                {"Message with string \"SPAM OFFER\"\r\n", "a spam offer"},
                                                {"Message with string \"LOTTERY\"\r\n", "lottery at the start"},
                                                {"Duplicated Message\r\n", "freedom is free"},
                                                {notInBook, "only JIMBOB is known"},
                                                {notInBook, "a user without host"},
                                            }))
        << content.toStdString();

    // "SaveDead" off: rejected without a trace.
    settings.set(keys::SaveDead, 0);
    view->reloadSettings();
    const QByteArray before = readFile(deadPath);
    send("BOB", "again");
    send("ANN", "last one");
    ASSERT_TRUE(accepted());
    EXPECT_EQ(readFile(deadPath), before);
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(IncomingRoadTest, ReceiversFollowUseProtocolAndUdpPortZeroMeansTheTcpPort)
{
    settings.set(keys::UseProtocol, 1);
    settings.set(keys::UdpPort, 0);
    frame = makeFrame();
    frame->initialUpdate();
    ASSERT_TRUE(frame->udpReceiver());
    ASSERT_TRUE(waitUntil([this] { return frame->udpReceiver()->boundPort() != 0; }));
    EXPECT_EQ(frame->udpReceiver()->boundPort(), port);

    settings.set(keys::UseProtocol, 0);
    frame->StopProcesses();
    EXPECT_TRUE(test::udpSocket("0.0.0.0", port).valid()) << "the stop freed the UDP port";
    frame->StartProcesses();
    EXPECT_TRUE(frame->tcpReceiver());
    EXPECT_FALSE(frame->udpReceiver());
}

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
                if (test::exchangeStreamPacketFrom(source.constData(), port, packet)
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
                test::sendDatagram(fd.get(), udpPort, BuildDatagramPacket({{}, text, name, '0', {}}, "x", replyPort));
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
