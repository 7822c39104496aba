// Stations without any window exchanging messages: what the program does when nobody looks.
#include "station/RecordedStation.h"

#include "protocol/MessagePacket.h"
#include "support/PrivateNetwork.h"
#include "support/QtPrinters.h"

#include <QRegularExpression>

#include <algorithm>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::readFile;
using test::waitUntil;

class MessageStationTest : public test::IsolatedHome {
protected:
    test::RecordedStation ann{homePath() + u"/ann/"_s, u"ANNPC"_s, u"Ann Author"_s};
    test::RecordedStation bob{homePath() + u"/bob/"_s, u"BOBPC"_s, u"Bob Builder"_s};
};

TEST_F(MessageStationTest, OverLoopbackAMessageIsStoredAndShownAndADatagramConfirmedAndEachSendReported)
{
    ann.settings.set(keys::RecvNMessages, 1);
    ASSERT_TRUE(ann.start());
    ASSERT_TRUE(bob.start());

    // Over TCP: Bob's listener answers with the length, Ann's send reports it delivered.
    const QString toBob = u"Bob/127.0.0.1:%1"_s.arg(bob.tcpPort());
    const OutgoingPlan plan = ann.plan(toBob, u"Hello Bob\nsecond line"_s);
    ASSERT_EQ(plan.verdict, OutgoingPlan::Verdict::Ready);
    EXPECT_FALSE(plan.asksBroadcastQuestion);
    EXPECT_EQ(ann.station->send(plan).outcome, SendStart::Outcome::Started);
    ASSERT_TRUE(waitUntil([&] { return ann.results.size() == 1 && ann.finished == 1; }));
    EXPECT_EQ(ann.results[0].first, SendResultCode::Delivered);
    EXPECT_EQ(ann.started, std::vector<bool>{false});

    const QByteArray sent = "Message from Ann Author to " + toBob.toUtf8() + ".\r\n\r\nHello Bob\r\nsecond line";
    ASSERT_TRUE(waitUntil([&] { return bob.settled.size() == 1; }));
    ASSERT_EQ(bob.messages().count(), 1u);
    const MessageRecord &received = *bob.messages().current();
    // Ann listens on her own port, not Bob's: the reply destination names it.
    EXPECT_EQ(received.sender, "ANNPC/127.0.0.1:" + QByteArray::number(ann.tcpPort()));
    EXPECT_TRUE(received.text.endsWith("\r\n" + sent));
    EXPECT_EQ(bob.settled[0].newestText, QString::fromUtf8(sent));
    EXPECT_TRUE(bob.settled[0].offerQuote) << "nothing of the user's is in the way";
    EXPECT_FALSE(bob.settled[0].restoreWindow) << "\"Popup\" is off";
    EXPECT_EQ(bob.station->replyDestinationOfShown(), u"ANNPC/127.0.0.1:%1"_s.arg(ann.tcpPort()));
    EXPECT_EQ(bob.sound.played, QStringList{u"receive.wav"_s});

    bob.station->flushFiles();
    const QStringList files = bob.messageFiles();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QRegularExpression(u"^\\d{13}ANNPC\\.tqm$"_s).match(files[0]).hasMatch()) << files[0].toStdString();
    EXPECT_EQ(readFile(bob.dataDir + u"messages/"_s + files[0]), "0" + received.sender + "\r\n" + received.text);
    EXPECT_EQ(received.filePath, bob.dataDir + u"messages/"_s + files[0]);

    // Over UDP: the datagram counts as delivered when it is sent; Bob confirms it with a
    // receipt, which Ann keeps ("RecvNMessages") and Bob never answers.
    const QString toBobByUdp = u"127.0.0.1:%1u"_s.arg(bob.udpPort());
    ASSERT_EQ(ann.station->send(ann.plan(toBobByUdp, u"by datagram"_s)).outcome, SendStart::Outcome::Started);
    ASSERT_TRUE(waitUntil([&] { return bob.messages().count() == 2 && ann.messages().count() == 1; }));
    EXPECT_EQ(bob.messages().newest()->sender, "ANNPC/127.0.0.1:" + QByteArray::number(ann.udpPort()) + "u");
    const QByteArray receipt = ann.messages().newest()->text;
    EXPECT_TRUE(receipt.contains("\r\nNOTIFY MESSAGE\r\nRecipient(s) " + toBobByUdp.toUtf8()
                                 + " successfully received your message.\r\n"))
        << receipt.constData();
    EXPECT_TRUE(
        receipt.endsWith("Size of received message: "
                         + QByteArray::number(QByteArray("Message from Ann Author to ").size() + toBobByUdp.size()
                                              + QByteArray(".\r\n\r\nby datagram").size())));
    ASSERT_TRUE(waitUntil([&] { return ann.results.size() == 2 && ann.finished == 2; }));
    EXPECT_EQ(ann.results[1].first, SendResultCode::Delivered);
    EXPECT_EQ(bob.started, std::vector<bool>{}) << "Bob sent nothing";
}

TEST_F(MessageStationTest, AwayTheStationAnswersOtherStationsOnItsOwnAndReportsNothing)
{
    ASSERT_TRUE(ann.start());
    ASSERT_TRUE(bob.start());
    ASSERT_TRUE(test::writeFile(answerFilePath(bob.dataDir), "Gone fishing.\r\n"));
    const MessageStation::AutoAnswerOn on = bob.station->switchAutoAnswerOn();
    ASSERT_EQ(on.answerText, u"Gone fishing.\n"_s);
    // What Bob's window holds while he is away: the answer, to the destination he left there.
    const QString toAnn = u"Ann/127.0.0.1:%1"_s.arg(ann.tcpPort());
    bob.station->setDraftSource([&] {
        OutgoingDraft draft;
        draft.composeText = *on.answerText;
        draft.destinationText = toAnn;
        return draft;
    });

    // A station elsewhere on the network, and one on this machine that is never answered.
    const auto arrive = [&](const QByteArray &fromIp, const QByteArray &text) {
        const QByteArray packet = BuildStreamPacket({{}, text, "CYPC", '0', {}}, fromIp, 7777);
        bob.station->OnIncomingMessage(Transport::Tcp, {quint32(packet.size()), fromIp, packet});
    };
    arrive("127.0.0.1", "Message from Cy to Bob.\r\n\r\nlocal");
    arrive("10.0.0.7", "Message from Cy to Bob.\r\n\r\nremote");
    ASSERT_TRUE(waitUntil([&] { return ann.messages().count() == 1 && bob.finished == 1; }));
    EXPECT_EQ(bob.started, std::vector<bool>{true});
    EXPECT_TRUE(ann.messages().newest()->text.endsWith("\r\nAutoanswer from Bob Builder.\r\n\r\nGone fishing.\r\n"));
    EXPECT_EQ(ann.messages().newest()->sender, "BOBPC/127.0.0.1:" + QByteArray::number(bob.tcpPort()));
    EXPECT_TRUE(bob.results.empty()) << "an automatic answer reports nothing";

    // Answered but not shown for a quote: the compose box holds the answer while Bob is away.
    ASSERT_TRUE(waitUntil([&] { return !bob.settled.empty(); }));
    EXPECT_FALSE(bob.settled.back().offerQuote);
    EXPECT_EQ(bob.messages().count(), 2u);

    // Back again, the text he left is kept for the next time and the shown message offered.
    const std::optional<ShownReply> reply = bob.station->switchAutoAnswerOff(u"Back Monday.\n"_s);
    EXPECT_EQ(readFile(answerFilePath(bob.dataDir)), "Back Monday.\r\n");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->quote, u">remote\n>\n"_s);
    EXPECT_EQ(reply->destination, u"CYPC/10.0.0.7:7777"_s);
}

TEST_F(MessageStationTest, AnEmptyDestinationOrAMissingSystemNameSendsNothing)
{
    ASSERT_TRUE(ann.start());
    EXPECT_EQ(ann.plan(u"   "_s, u"for nobody"_s).verdict, OutgoingPlan::Verdict::Refused);
    EXPECT_EQ(ann.sound.played, QStringList{u"SystemQuestion"_s});
    // An e-mail destination needs no system name; a station does.
    ann.settings.set(keys::SystemName, QString());
    ann.station->reloadSettings();
    EXPECT_EQ(ann.plan(u"10.0.0.5"_s, u"unread"_s).verdict, OutgoingPlan::Verdict::NoSystemName);
    EXPECT_EQ(ann.plan(u"Bob/bob@example.org"_s, u"mail"_s).verdict, OutgoingPlan::Verdict::Ready);
    EXPECT_EQ(ann.station->send(ann.plan(u"10.0.0.5"_s, u"unread"_s)).outcome, SendStart::Outcome::NotReady);
    EXPECT_TRUE(ann.started.empty());
}

// Two stations of their own addresses, as on a real network: the private network's loopback
// holds 10.99.0.1 for Ann and 10.99.0.2 for Bob, so each is another machine to the other.
constexpr char kTwoHosts[] = "ip link set lo up && ip addr add 10.99.0.1/24 dev lo && ip addr add 10.99.0.2/24 dev lo";

TEST_F(MessageStationTest, TwoStationsOnANetworkExchangeAMessageTheAnswerOfTheAwayOneAndAReceipt)
{
    if (!test::insidePrivateNetwork()) {
        const test::PrivateNetworkRun run = test::runInPrivateNetwork(
            QLatin1String(kTwoHosts),
            u"MessageStationTest.TwoStationsOnANetworkExchangeAMessageTheAnswerOfTheAwayOneAndAReceipt"_s);
        if (!run.available)
            GTEST_SKIP() << run.output.toStdString();
        EXPECT_TRUE(run.passed) << run.output.toStdString();
        return;
    }
    ann.settings.set(keys::RecvNMessages, 1);
    ASSERT_TRUE(ann.start());
    ASSERT_TRUE(bob.start());
    ann.station->setOwnAddress("10.99.0.1");
    bob.station->setOwnAddress("10.99.0.2");
    ASSERT_TRUE(test::writeFile(answerFilePath(bob.dataDir), "Away."));
    const std::optional<QString> answer = bob.station->switchAutoAnswerOn().answerText;
    ASSERT_TRUE(answer);
    bob.station->setDraftSource([&] {
        OutgoingDraft draft;
        draft.composeText = *answer;
        draft.destinationText = bob.station->replyDestinationOfShown();
        return draft;
    });

    const QString toBob = u"Bob/10.99.0.2:%1"_s.arg(bob.tcpPort());
    ASSERT_EQ(ann.station->send(ann.plan(toBob, u"Lunch?"_s)).outcome, SendStart::Outcome::Started);
    ASSERT_TRUE(waitUntil([&] { return ann.messages().count() == 1; }));
    const MessageRecord &answered = *ann.messages().newest();
    EXPECT_TRUE(answered.text.endsWith("\r\nAutoanswer from Bob Builder.\r\n\r\nAway.\r\n"))
        << answered.text.constData();
    EXPECT_EQ(answered.sender, "BOBPC/10.99.0.1:" + QByteArray::number(bob.tcpPort()))
        << "this machine's connections leave from its first address";
    ASSERT_TRUE(waitUntil([&] { return !ann.results.empty(); }));
    EXPECT_EQ(ann.results[0].first, SendResultCode::Delivered);
    EXPECT_EQ(bob.messages().newest()->sender, "ANNPC/10.99.0.1:" + QByteArray::number(ann.tcpPort()));

    // A datagram is confirmed with a receipt to the port its sender asked for, and answered
    // there too: the receipt and the answer come to Ann in either order.
    const QString toBobByUdp = u"10.99.0.2:%1u"_s.arg(bob.udpPort());
    ASSERT_EQ(ann.station->send(ann.plan(toBobByUdp, u"by datagram"_s)).outcome, SendStart::Outcome::Started);
    const auto annHas = [&](const QByteArray &part) {
        return std::any_of(ann.messages().begin(), ann.messages().end(),
                           [&](const MessageRecord &record) { return record.text.contains(part); });
    };
    EXPECT_TRUE(waitUntil([&] { return annHas("\r\nNOTIFY MESSAGE\r\nRecipient(s) " + toBobByUdp.toUtf8()); }));
    EXPECT_TRUE(waitUntil([&] { return ann.messages().count() == 3; }));
    EXPECT_EQ(ann.messages().newest()->sender.left(16), "BOBPC/10.99.0.1:");
    bob.station->flushFiles();
    EXPECT_EQ(bob.messageFiles().size(), 2);
    EXPECT_EQ(bob.started, (std::vector<bool>{true, true}));
}

} // namespace
} // namespace tq
