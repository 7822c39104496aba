#include "messages/IncomingMessageHandler.h"

#include "addressbook/AddressBookSnapshot.h"
#include "messages/FilteredMessageFile.h"
#include "messages/KillWordFilter.h"
#include "messages/MessageViewer.h"
#include "protocol/MessagePacket.h"
#include "protocol/SenderAddress.h"
#include "settings/SettingsStore.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/ManualClock.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QDir>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using Outcome = IncomingDecision::Outcome;

const QByteArray kSeparator = "*******************************************\r\n"_ba;

TEST(SenderAddressTest, PortOfTheReplyAddressDecidesHowTheSenderIsWritten)
{
    struct Case {
        Transport transport;
        QByteArray replyAddress;
        QByteArray expected;
    };
    const Case cases[] = {
        {Transport::Tcp, "10.0.0.5:7777", "10.0.0.5"},
        {Transport::Tcp, "10.0.0.5:8000", "10.0.0.5:8000"},
        {Transport::Tcp, "10.0.0.5:0", "10.0.0.5"},
        {Transport::Tcp, "10.0.0.5:99999999999999999999", "10.0.0.5"},
        {Transport::Tcp, "10.0.0.5", "10.0.0.5"},
        {Transport::Udp, "10.0.0.5:7777u", "10.0.0.5:u"},
        {Transport::Udp, "10.0.0.5:8000u", "10.0.0.5:8000u"},
        {Transport::Udp, "10.0.0.5:65536u", "10.0.0.5:u"},
        {Transport::Udp, "10.0.0.5", "10.0.0.5:u"},
    };
    for (const Case &c : cases) {
        const int port = replyPort(c.replyAddress, 7777);
        EXPECT_EQ(senderAddress("10.0.0.5", port, c.transport, 7777), c.expected) << c.replyAddress.constData();
    }
}

TEST(SenderAddressTest, TheHostOfASenderIsItsAddressWithoutNamePortOrMark)
{
    EXPECT_EQ(senderHost("BEN/10.0.0.7"), u"10.0.0.7"_s);
    EXPECT_EQ(senderHost("BEN/10.0.0.7:8000u"), u"10.0.0.7"_s);
    EXPECT_EQ(senderHost("BEN/10.0.0.7:u"), u"10.0.0.7"_s);
    // A system name may hold '/' itself: the host is what follows the last one.
    EXPECT_EQ(senderHost("A/B/10.0.0.7u"), u"10.0.0.7"_s);
    EXPECT_EQ(senderHost("10.0.0.7"), u"10.0.0.7"_s);
}

TEST(ArrivalStampTest, LongDateAndTimeWithSecondsWithoutTheZone)
{
    const ArrivalStampFormat format(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(format.stamp(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 123))), "Tuesday, 5 March 2024, 14:07:09"_ba);

    EXPECT_EQ(timeFormatWithoutZone(u"h:mm:ss AP t"_s), u"h:mm:ss AP"_s);
    EXPECT_EQ(timeFormatWithoutZone(u"HH 'h' mm"_s), u"HH:mm:ss"_s);
}

// One station's incoming road without a window: the list, the files and the filtered-message
// file are real; the network and the local time are the test's.
class IncomingMessageHandlerTest : public test::IsolatedHome {
protected:
    IncomingMessageHandlerTest()
    {
        QDir().mkpath(messagesDir);
        deadFile.setTarget(true, deadPath);
        s.ownIp = "10.0.0.9";
        s.ownSystemName = "BOB";
        s.ownEmail = "bob@example.org";
        s.storeMessages = true;
        s.soundFile = u"receive.wav"_s;
        s.messagesDir = messagesDir;
        s.filters.killFile = killFilePath(appDataDir());
        handler.setAddressBook(&addressBook);
        handler.setWallClock([this] {
            const QDateTime time = now;
            now = now.addMSecs(1);
            return time;
        });
        handler.setDatagramSender([this](const QByteArray &ip, int port, const QByteArray &datagram) {
            sent.push_back({ip, port, datagram});
        });
    }

    static ReceivedData tcp(const QByteArray &text, const QByteArray &name = "ANN", const QByteArray &ip = "10.0.0.5",
                            char importance = '0', int replyPort = 7777)
    {
        const QByteArray packet = BuildStreamPacket({{}, text, name, importance, "ann@example.org"}, ip, replyPort);
        return {static_cast<quint32>(packet.size()), ip, packet};
    }
    static ReceivedData udpBytes(const QByteArray &datagram, const QByteArray &ip = "10.0.0.5")
    {
        return {static_cast<quint32>(datagram.size()) + 1, ip, datagram};
    }
    static ReceivedData udp(const QByteArray &text, const QByteArray &name = "ANN", const QByteArray &ip = "10.0.0.5",
                            int replyPort = 7777, const QByteArray &tag = {})
    {
        return udpBytes(BuildDatagramPacket({tag, text, name, '0', "ann@example.org"}, ip, replyPort), ip);
    }

    IncomingDecision receive(Transport transport, const ReceivedData &data)
    {
        handler.setSettings(s);
        return handler.OnIncomingMessage(transport, data);
    }

    QStringList storedFiles()
    {
        handler.flushFiles();
        return QDir(messagesDir).entryList(QDir::Files, QDir::Name);
    }
    void writeKillFile(const QByteArray &content)
    {
        ASSERT_TRUE(test::writeFile(appDataDir() + u"KillFile.tqm"_s, content));
    }
    QByteArray deadFileContent() const { return test::readFile(deadPath); }

    struct Sent {
        QByteArray ip;
        int port;
        QByteArray datagram;
    };

    const QString messagesDir = appDataDir() + u"messages/"_s;
    const QString deadPath = appDataDir() + u"outfiltered.txt"_s;
    test::ManualClock clock;
    MessageViewer viewer{clock};
    QStringList told;
    FilteredMessageFile deadFile{[this](const QString &text) { told.append(text); }, appDataDir()};
    AddressBookSnapshot addressBook;
    const ArrivalStampFormat format{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    IncomingMessageHandler handler{viewer, deadFile, format};
    IncomingSettings s;
    QDateTime now{QDate(2024, 3, 5), QTime(14, 7, 9, 123)};
    std::vector<Sent> sent;
};

TEST_F(IncomingMessageHandlerTest, AcceptedMessageIsStampedStoredShownAndAnnounced)
{
    s.popupOnArrival = true;
    const IncomingDecision decision =
        receive(Transport::Tcp, tcp("Message from Ann to Bob.\r\n\r\nHello", "ANN", "10.0.0.5", '1', 8000));
    EXPECT_EQ(decision.outcome, Outcome::Accepted);
    EXPECT_TRUE(decision.restoreWindow && decision.offerQuote);
    EXPECT_FALSE(decision.local || decision.answerAutomatically);
    EXPECT_EQ(decision.sound, u"receive.wav"_s);
    EXPECT_TRUE(sent.empty()) << "a TCP message is never answered with a receipt";

    EXPECT_TRUE(viewer.messages().current()->highImportance);
    EXPECT_EQ(storedFiles(), QStringList{u"0305140709123ANN.tqm"_s});
    EXPECT_EQ(test::readFile(messagesDir + u"0305140709123ANN.tqm"_s),
              "1ANN/10.0.0.5:8000\r\nTuesday, 5 March 2024, 14:07:09\r\nMessage from Ann to Bob.\r\n\r\nHello");
}

TEST_F(IncomingMessageHandlerTest, RecordsNameTheirFilesOnceWrittenAndNoneWhenTheFileFailed)
{
    receive(Transport::Tcp, tcp("one"));
    // The folder has gone: that message stays in memory without a file.
    s.messagesDir = appDataDir() + u"gone/"_s;
    receive(Transport::Tcp, tcp("two"));
    s.messagesDir = messagesDir;
    receive(Transport::Tcp, tcp("three"));
    // The records learn their files as the writer reports them, without a flush too.
    ASSERT_TRUE(test::waitUntil([this] { return !viewer.messages().newest()->filePath.isEmpty(); }));
    QStringList paths;
    for (const MessageRecord &record : viewer.messages())
        paths.append(record.filePath);
    EXPECT_EQ(
        paths,
        QStringList({messagesDir + u"0305140709123ANN.tqm"_s, QString(), messagesDir + u"0305140709125ANN.tqm"_s}));
}

TEST_F(IncomingMessageHandlerTest, DatagramsAreConfirmedEvenWhenFilteredAndWithoutRecipientsToTheOwnAddress)
{
    EXPECT_TRUE(receive(Transport::Udp, udp("hi", "ANN", "10.0.0.6", 7777)).receiptSent);
    // An accepted message is confirmed once its file is written.
    EXPECT_TRUE(sent.empty());
    handler.flushFiles();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::pair(sent[0].ip, sent[0].port), std::pair("10.0.0.6"_ba, 7777));
    EXPECT_TRUE(ParseDatagramPacket(sent[0].datagram).text.startsWith("NOTIFY MESSAGE\r\nRecipient(s) 10.0.0.9 "));

    addressBook = AddressBookSnapshot(u"Carl/10.0.0.7;"_s, u"ANN/;"_s, {});
    const IncomingDecision filtered = receive(Transport::Udp, udp("again"));
    EXPECT_EQ(filtered.verdict, FilterVerdict::NotActivated);
    EXPECT_TRUE(filtered.receiptSent);
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_EQ(viewer.messages().count(), 1u);
    EXPECT_EQ(storedFiles().size(), 1);
}

TEST_F(IncomingMessageHandlerTest, ProbesAndUnwantedReceiptsNeverReachListFilesOrFilteredFile)
{
    const ReceivedData receipt =
        udp("NOTIFY MESSAGE\r\nRecipient(s) Ann ...", "ANN", "10.0.0.5", 7777, "NOTIFY_MESSAGE");
    EXPECT_EQ(receive(Transport::Udp, receipt).outcome, Outcome::ReceiptDropped);
    // The probe is no packet: were it parsed, it would land in the filtered-message file.
    for (const Transport transport : {Transport::Tcp, Transport::Udp})
        EXPECT_EQ(receive(transport, udpBytes("QA_IDENTIFY_MESSAGE\0#0x/$7"_ba)).outcome, Outcome::ProbeDropped);
    EXPECT_EQ(viewer.messages().count(), 0u);
    EXPECT_TRUE(storedFiles().isEmpty());
    EXPECT_TRUE(deadFileContent().isEmpty());

    s.receiptsWanted = true;
    EXPECT_EQ(receive(Transport::Udp, receipt).outcome, Outcome::Accepted);
    EXPECT_EQ(viewer.messages().count(), 1u);
    EXPECT_EQ(storedFiles().size(), 1);
    EXPECT_TRUE(sent.empty()) << "neither is ever answered";
}

TEST_F(IncomingMessageHandlerTest, MalformedPacketGoesToTheFilteredFileWithNulsWrittenOut)
{
    const IncomingDecision decision = receive(Transport::Udp, udpBytes("junk\0#0text\r\nmore\0"_ba));
    EXPECT_EQ(decision.outcome, Outcome::NonStandard);
    EXPECT_FALSE(decision.receiptSent);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(viewer.messages().count(), 0u);
    EXPECT_EQ(deadFileContent(),
              "Non Standard Message.\r\n" + kSeparator + "Tuesday, 5 March 2024, 14:07:09\r\n"
                  + "junk\\0#0text\r\nmore\\0" + "\r\n" + kSeparator);
}

TEST_F(IncomingMessageHandlerTest, SystemNameWithALineBreakIsNonStandardAndNeverStored)
{
    // Stored, "EVE\r\nFAKE" would come back from its file as the sender "EVE" with "FAKE/..."
    // at the top of its text.
    for (const QByteArray &name : {"EVE\r\nFAKE"_ba, "EVE\nFAKE"_ba, "EVE\r"_ba}) {
        for (const Transport transport : {Transport::Tcp, Transport::Udp}) {
            const ReceivedData data = transport == Transport::Tcp ? tcp("hello", name) : udp("hello", name);
            const IncomingDecision decision = receive(transport, data);
            EXPECT_EQ(decision.outcome, Outcome::NonStandard) << name.toStdString();
            EXPECT_FALSE(decision.receiptSent);
        }
    }
    EXPECT_TRUE(storedFiles().isEmpty());
    EXPECT_EQ(viewer.messages().count(), 0u);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(deadFileContent().count("Non Standard Message.\r\n"), 6);
}

TEST_F(IncomingMessageHandlerTest, FiltersLookUpNamesAsTheDisplayReadsThem)
{
    s.filters.onlyKnownUsers = true;
    addressBook = AddressBookSnapshot(u"Zo\u00EB/10.0.0.7;"_s, {}, {});
    // "Zoë" from a station that writes Windows-1252, and from one that writes UTF-8.
    EXPECT_EQ(receive(Transport::Tcp, tcp("one", "Zo\xEB")).outcome, Outcome::Accepted);
    EXPECT_EQ(receive(Transport::Tcp, tcp("two", "Zo\xC3\xAB")).outcome, Outcome::Accepted);
    EXPECT_EQ(receive(Transport::Tcp, tcp("three", "Zed")).verdict, FilterVerdict::NotInAddressBook);
}

TEST_F(IncomingMessageHandlerTest, FiltersRunInTheirOrder)
{
    writeKillFile("free");
    addressBook = AddressBookSnapshot(u"Ann/10.0.0.5;"_s, u"Cy/;"_s, {});
    EXPECT_EQ(receive(Transport::Tcp, tcp("free", "cy")).verdict, FilterVerdict::NotActivated) << "before kill words";
    EXPECT_EQ(receive(Transport::Tcp, tcp("x", "Ann")).outcome, Outcome::Accepted);
    EXPECT_EQ(receive(Transport::Tcp, tcp("free", "Ann")).verdict, FilterVerdict::KillWord) << "before duplicates";
    s.filters.onlyKnownUsers = true;
    EXPECT_EQ(receive(Transport::Tcp, tcp("e", "cy")).verdict, FilterVerdict::NotInAddressBook) << "before deactivated";
}

TEST_F(IncomingMessageHandlerTest, KillWordsAreReadAnewForEveryMessage)
{
    EXPECT_EQ(receive(Transport::Tcp, tcp("Get it FREE!")).outcome, Outcome::Accepted) << "no kill-word file";
    writeKillFile("spam, free money\r\nfree");
    EXPECT_EQ(receive(Transport::Tcp, tcp("free money for you")).verdict, FilterVerdict::KillWord);
    writeKillFile("");
    EXPECT_EQ(receive(Transport::Tcp, tcp("free money for you")).outcome, Outcome::Accepted);
    EXPECT_EQ(deadFileContent(),
              "Message with string \"FREE MONEY\"\r\n" + kSeparator
                  + "Tuesday, 5 March 2024, 14:07:09\r\nfree money for you\r\n" + kSeparator);

    // A kill-word file that cannot be read skips only that filter.
    ASSERT_TRUE(QFile::remove(appDataDir() + u"KillFile.tqm"_s));
    ASSERT_TRUE(QDir().mkpath(appDataDir() + u"KillFile.tqm"_s));
    EXPECT_EQ(receive(Transport::Tcp, tcp("free")).outcome, Outcome::Accepted);
    EXPECT_EQ(receive(Transport::Tcp, tcp("free")).verdict, FilterVerdict::Duplicate);
}

TEST_F(IncomingMessageHandlerTest, DuplicatesAreOfTheNewestRecordFromTheSameSenderAddressOnly)
{
    const QByteArray text = "Hello\r\nagain"_ba;
    EXPECT_EQ(receive(Transport::Tcp, tcp(text)).outcome, Outcome::Accepted);
    EXPECT_EQ(receive(Transport::Tcp, tcp(text)).verdict, FilterVerdict::Duplicate);
    // Another port or the other transport is another sender address.
    EXPECT_EQ(receive(Transport::Tcp, tcp(text, "ANN", "10.0.0.5", '0', 8000)).outcome, Outcome::Accepted);
    EXPECT_EQ(receive(Transport::Udp, udp(text, "ANN", "10.0.0.5", 8000)).outcome, Outcome::Accepted);
    // The sender compares letter for letter, the text to the last byte.
    EXPECT_EQ(receive(Transport::Udp, udp(text, "ann", "10.0.0.5", 8000)).outcome, Outcome::Accepted);
    EXPECT_EQ(receive(Transport::Udp, udp(text + "\r\n", "ann", "10.0.0.5", 8000)).outcome, Outcome::Accepted);
    // An older duplicate further back does not count.
    EXPECT_EQ(receive(Transport::Tcp, tcp(text)).outcome, Outcome::Accepted);
    EXPECT_TRUE(deadFileContent().startsWith("Duplicated Message\r\n"));
    EXPECT_EQ(deadFileContent().count(kSeparator), 2);

    s.filters.dontDuplicate = false;
    EXPECT_EQ(receive(Transport::Tcp, tcp(text)).outcome, Outcome::Accepted);
}

TEST_F(IncomingMessageHandlerTest, HundredAndFirstMessageDropsTheOldestRecordButNotItsFile)
{
    // "DontAutoLast" first: the shown message stays until it is the one dropped.
    s.keepShownMessage = true;
    const MessageList &list = viewer.messages();
    for (int i = 1; i <= 101; ++i) {
        receive(Transport::Tcp, tcp("message " + QByteArray::number(i)));
        if (i == 2) {
            ASSERT_TRUE(list.current() && list.current()->text.endsWith("message 1")) << "the first is shown even so";
        }
    }
    EXPECT_EQ(list.count(), 100u);
    EXPECT_TRUE(list.oldest()->text.endsWith("\r\nmessage 2"));
    EXPECT_EQ(list.current(), list.oldest()) << "the newer neighbour of the dropped one is shown";
    EXPECT_EQ(list.index(), 1u);
    EXPECT_TRUE(list.isConsistent());

    s.keepShownMessage = false;
    receive(Transport::Tcp, tcp("message 102"));
    EXPECT_TRUE(list.oldest()->text.endsWith("\r\nmessage 3"));
    EXPECT_TRUE(list.current()->text.endsWith("\r\nmessage 102"));
    EXPECT_EQ(list.index(), 100u);
    EXPECT_TRUE(list.isConsistent());
    EXPECT_EQ(storedFiles().size(), 102) << "the files of dropped records stay";
}

} // namespace
} // namespace tq
