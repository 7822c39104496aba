// Messages through the real receivers into the station, its list and its files, with no window.
#include "station/IncomingRoadFixture.h"

#include "addressbook/AddressBookNames.h"
#include "addressbook/AddressBookStore.h"

#include "support/QtPrinters.h"

#include <QRegularExpression>

#include <utility>
#include <vector>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::IncomingRoadTest;
using test::readFile;
using test::waitUntil;

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
    ASSERT_TRUE(test::sendDatagram(stationA.get(), udpListenPort(),
                                   BuildDatagramPacket({{}, udpText, "ANN", '0', {}}, "127.0.0.2", replyPort)));
    ASSERT_TRUE(waitUntil([this] { return messages().count() == 2; }));
    const QByteArray receipt = test::receiveDatagramServingEvents(stationA.get());
    station->flushFiles();

    const QStringList files = filesOf(u"ANN"_s);
    ASSERT_EQ(files.size(), 2);
    // Month, day, hour, minute, second and millisecond of the arrival.
    const QString today = QDate::currentDate().toString(u"MMdd"_s);
    for (const QString &name : files)
        EXPECT_TRUE(QRegularExpression(u"^"_s + today + u"\\d{9}ANN\\.tqm$"_s).match(name).hasMatch())
            << name.toStdString();

    const QByteArray streamStamp = messages().oldest()->text.left(messages().oldest()->text.indexOf("\r\n"));
    const QByteArray udpStamp = messages().newest()->text.left(messages().newest()->text.indexOf("\r\n"));
    // Station A listens on TCP port 7777, which is not the port of this station.
    EXPECT_EQ(readFile(messagesDir() + files[0]), "0ANN/127.0.0.2:7777\r\n" + streamStamp + "\r\n" + streamText);
    EXPECT_EQ(readFile(messagesDir() + files[1]),
              "0ANN/127.0.0.2:" + QByteArray::number(replyPort) + "u\r\n" + udpStamp + "\r\n" + udpText);

    const QByteArray receiptText = "NOTIFY MESSAGE\r\nRecipient(s) Bob, Carl successfully received your message.\r\n"
                                   "Date: "
        + udpStamp + "\r\nSize of received message: " + QByteArray::number(udpText.size());
    EXPECT_EQ(receipt,
              BuildDatagramPacket({"NOTIFY_MESSAGE", receiptText, "BOB", '0', "bob@example.org"}, station->ownAddress(),
                                  udpPort));

    // Arrivals are shown once the burst they came in has been handled.
    EXPECT_TRUE(waitUntil([this] { return !settled.empty() && shownText().endsWith(u"\n\nover UDP"_s); }));
    EXPECT_EQ(sound.played, QStringList({u"receive.wav"_s, u"receive.wav"_s}));
}

TEST_F(IncomingRoadTest, AnEightBitMessageAndItsStampAreEachShownByTheirOwnRuleAndStoredAsTheyCame)
{
    start();
    // A German desktop: the stamp, this station's own text, holds "März" in UTF-8.
    station->incomingHandler().setStampFormat(ArrivalStampFormat(QLocale(QLocale::German, QLocale::Germany)));
    station->incomingHandler().setWallClock([] { return QDateTime(QDate(2024, 3, 5), QTime(10, 0, 0)); });
    // From a station that writes Windows-1252.
    const QByteArray text = "Message from Ann to Bob.\r\n\r\nGr\xFC\xDF"
                            "e aus K\xF6ln";
    ASSERT_TRUE(send("ANN", text));
    ASSERT_TRUE(waitUntil([this] { return messages().count() == 1; }));
    const QString shown = u"Dienstag, 5. März 2024, 10:00:00\nMessage from Ann to Bob.\n\nGrüße aus Köln"_s;
    ASSERT_TRUE(waitUntil([&] { return !settled.empty() && shownText() == shown; })) << shownText().toStdString();

    station->flushFiles();
    const QStringList files = filesOf(u"ANN"_s);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(readFile(messagesDir() + files[0]),
              "0ANN/127.0.0.2:7777\r\nDienstag, 5. M\xC3\xA4rz 2024, 10:00:00\r\n" + text);

    // Loaded from its file at the next start, it shows the same.
    station.reset();
    start();
    EXPECT_EQ(shownText(), shown);
}

TEST_F(IncomingRoadTest, ArrivalRaisesTheWindowWhenAskedAndKeepsTheShownMessageWhenAsked)
{
    settings.set(keys::Popup, 1);
    settings.set(keys::DontAutoLast, 1);
    settings.set(keys::EnableSound, 0);
    start();
    const auto restores = [this] {
        return std::count_if(settled.begin(), settled.end(), [](const ArrivalSummary &s) { return s.restoreWindow; });
    };
    clock.advance(5000);

    ASSERT_TRUE(send("ANN", "first"));
    ASSERT_TRUE(waitUntil([&] { return messages().count() == 1 && restores() == 1; }));
    EXPECT_EQ(station->viewer().lastArrivalMs(), clock.now);
    const QString firstShown = shownText();
    EXPECT_TRUE(firstShown.endsWith(u"\nfirst"_s));

    ASSERT_TRUE(send("ANN", "second"));
    ASSERT_TRUE(waitUntil([&] { return messages().count() == 2 && restores() == 2; }));
    EXPECT_EQ(shownText(), firstShown);
    EXPECT_EQ(station->viewer().counters().position, u"1/2"_s);
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
    station->reloadSettings();
    send("ann", "known by another case");
    ASSERT_TRUE(accepted());
    send("BOB", "only JIMBOB is known");
    send("NOHOST", "a user without host");
    ASSERT_TRUE(rejected(8));

    const QByteArray notActivated = "Message From non-Activated User.\r\n";
    const QByteArray notInBook = "Message From non-Address Book User.\r\n";
    const QByteArray content = readFile(deadPath);
    EXPECT_TRUE(filteredEntriesAre(content,
                                   {
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
    station->reloadSettings();
    const QByteArray before = readFile(deadPath);
    send("BOB", "again");
    send("ANN", "last one");
    ASSERT_TRUE(accepted());
    EXPECT_EQ(readFile(deadPath), before);
    EXPECT_TRUE(told.isEmpty());
}

TEST_F(IncomingRoadTest, ReceiversFollowUseProtocolAndUdpPortZeroMeansTheTcpPort)
{
    // The ports of the settings themselves are bound here.
    const int ownPort = test::unusedTcpPort();
    settings.set(keys::TcpPort, ownPort);
    settings.set(keys::UseProtocol, 1);
    settings.set(keys::UdpPort, 0);
    MessageStation own(settings, sound, clock, appDataDir());
    own.StartProcesses();
    ASSERT_TRUE(own.udpReceiver());
    EXPECT_FALSE(own.tcpReceiver());
    ASSERT_TRUE(waitUntil([&] { return own.udpReceiver()->boundPort() != 0; }));
    EXPECT_EQ(own.udpReceiver()->boundPort(), ownPort);

    settings.set(keys::UseProtocol, 0);
    own.StopProcesses();
    EXPECT_TRUE(test::udpSocket("0.0.0.0", ownPort).valid()) << "the stop freed the UDP port";
    own.StartProcesses();
    EXPECT_TRUE(own.tcpReceiver());
    EXPECT_FALSE(own.udpReceiver());
}
} // namespace
} // namespace tq
