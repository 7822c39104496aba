#include "messages/StandaloneView.h"
#include "support/Files.h"

#include "addressbook/DestinationList.h"
#include "addressbook/TemplateFiles.h"
#include "messages/AnswerFile.h"
#include "protocol/MessagePacket.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tq {
namespace {

class ViewSendingTest : public test::StandaloneView {
protected:
    ViewSendingTest() { settings.set(keys::EmailAddress, QStringLiteral("ann@example.org")); }

    // The stream packet a station gets from this view.
    static QByteArray expected(const QByteArray &to, const QByteArray &text, char importance = '0')
    {
        return BuildStreamPacket(
            {{}, "Message from Ann Author to " + to + ".\r\n\r\n" + text, "ANNPC", importance, "ann@example.org"},
            "127.0.0.1", 7010);
    }
    bool received(int index, int count)
    {
        return test::waitUntil([&] { return stations[index].packets.size() >= count; });
    }
    QByteArray templateText(const QString &baseName) const
    {
        return test::readFile(appDataDir() + baseName + QStringLiteral(".tqm"), "<missing>");
    }
    // Nothing started, and nothing reached the stations.
    void nothingSent()
    {
        EXPECT_EQ(view->station().runningSends(), 0);
        EXPECT_FALSE(view->sendTimerRunning());
        QTest::qWait(100);
        for (const test::ListeningStation &peer : stations)
            EXPECT_TRUE(peer.packets.isEmpty());
    }

    test::ListeningStation stations[3];
};

TEST_F(ViewSendingTest, PlainSignedAndHighImportanceMessagesAsTheStationGetsThem)
{
    start();
    std::vector<int> results;
    QObject context;
    QObject::connect(station.get(), &MessageStation::sendResult, &context,
                     [&](quint64, SendResultCode code, const QString &) { results.push_back(int(code)); });
    const QByteArray bob = "Bob/" + stations[0].address().toUtf8();
    box()->setEditText(QString::fromUtf8(bob));
    type(QStringLiteral("Hello\nworld"));
    ASSERT_FALSE(view->station().viewer().composeReplaceable());
    view->sendButton()->click();

    EXPECT_EQ(timePane.text(), QStringLiteral("Time: 0,00sec"));
    EXPECT_TRUE(view->sendTimerRunning());
    ASSERT_TRUE(received(0, 1));
    EXPECT_EQ(stations[0].packets[0], expected(bob, "Hello\r\nworld"));
    ASSERT_TRUE(test::waitUntil([&] { return !results.empty(); }));
    EXPECT_EQ(results, std::vector<int>{0});
    // The display stops with the final report.
    EXPECT_TRUE(test::waitUntil([&] { return !view->sendTimerRunning(); }));
    const QString stopped = timePane.text();
    clock.advance(1234);
    QTest::qWait(50);
    EXPECT_EQ(timePane.text(), stopped);

    // The text stays, selected, and may be replaced without asking.
    EXPECT_EQ(selected(), QStringLiteral("Hello\nworld"));
    EXPECT_EQ(compose()->toPlainText(), selected());
    EXPECT_TRUE(compose()->hasFocus());
    EXPECT_TRUE(view->station().viewer().composeReplaceable());

    // Signed, of high importance, by the menu command.
    settings.set(keys::Signature, QStringLiteral("-- Ann\nann.example.org"));
    view->station().reloadSettings();
    view->action(CTq20View::Command::SendHighImportance)->trigger();
    ASSERT_TRUE(received(0, 2));
    EXPECT_EQ(stations[0].packets[1], expected(bob, "Hello\r\nworld\r\n-- Ann\r\nann.example.org", '1'));

    // Alt+Enter sends, and adds no line to the text.
    type(QStringLiteral("quick"));
    QTest::keyClick(compose(), Qt::Key_Return, Qt::AltModifier);
    ASSERT_TRUE(received(0, 3));
    EXPECT_EQ(stations[0].packets[2], expected(bob, "quick\r\n-- Ann\r\nann.example.org"));
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("quick"));
}

TEST_F(ViewSendingTest, TheTimeOfASendRunsUntilItsFinalReport)
{
    start();
    // The request stays here: the reports are the test's.
    view->station().setSendStarter([](const SendRequest &) {});
    box()->setEditText(stations[0].address());
    type(QStringLiteral("timed"));
    view->sendButton()->click();
    clock.advance(1234);
    EXPECT_TRUE(test::waitUntil([&] { return timePane.text() == QStringLiteral("Time: 1,23sec"); }));

    // A receiver that answered another length is a warning, not the end of the send; nor is a
    // receiver's state. The mail's outcome, the list of failures and success each end it.
    Q_EMIT station->sendResult(1, SendResultCode::LengthMismatch, QStringLiteral("10.0.0.5"));
    Q_EMIT station->receiverStateChanged(Transport::Tcp, SendResultCode::Listening, QStringLiteral("TCP port 7010"));
    EXPECT_TRUE(view->sendTimerRunning());
    for (const SendResultCode code :
         {SendResultCode::Delivered, SendResultCode::MailSent, SendResultCode::MailFailed, notDeliveredCode(2)}) {
        view->sendButton()->click();
        ASSERT_TRUE(view->sendTimerRunning());
        Q_EMIT station->sendResult(1, code, {});
        EXPECT_FALSE(view->sendTimerRunning()) << int(code);
    }
}

TEST_F(ViewSendingTest, AllUsersAndAGroupReachEveryMemberAndKeepTheirText)
{
    putUser(top, "Bob", stations[0].address());
    putUser(top, "Cy", stations[1].address());
    putUser(top, "Di", QStringLiteral("10.0.0.4"), false);
    putUser(QStringLiteral("Friends"), "Eve", stations[2].address());
    start();

    box()->setEditText(QStringLiteral("< All users >"));
    type(QStringLiteral("to all\nof you"));
    view->SendOutgoing('0');
    ASSERT_TRUE(received(0, 1) && received(1, 1));
    EXPECT_EQ(stations[0].packets[0], expected("< All users >", "to all\r\nof you"));
    EXPECT_EQ(stations[1].packets[0], stations[0].packets[0]);
    EXPECT_EQ(templateText(QStringLiteral("All Users")), "to all\r\nof you");

    box()->setEditText(QStringLiteral("< Friends >"));
    type(QStringLiteral("friends only"));
    view->SendOutgoing('0');
    ASSERT_TRUE(received(2, 1));
    EXPECT_EQ(stations[2].packets[0], expected("< Friends >", "friends only"));
    EXPECT_EQ(templateText(QStringLiteral("Friends")), "friends only");
    ASSERT_TRUE(test::waitUntil([&] { return view->station().runningSends() == 0; }));
    EXPECT_EQ(stations[0].packets.size() + stations[1].packets.size(), 2);
}

TEST_F(ViewSendingTest, AnEmptyOrBlankDestinationSendsNothing)
{
    start();
    type(QStringLiteral("for nobody"));
    for (const QString &destination : {QString(), QStringLiteral("    ")}) {
        box()->setEditText(destination);
        compose()->setFocus();
        view->sendButton()->click();
        EXPECT_TRUE(box()->hasFocus());
        EXPECT_EQ(modePane.text(), QStringLiteral("Nothing sent: type a destination or pick one from the list first."));
        modePane.clear();
    }
    EXPECT_EQ(sound.played, (QStringList{QStringLiteral("SystemQuestion"), QStringLiteral("SystemQuestion")}));
    EXPECT_FALSE(view->station().viewer().composeReplaceable()) << "nothing was sent";
    nothingSent();
}

TEST_F(ViewSendingTest, ATextFileThatCannotBeWrittenStopsTheSend)
{
    putUser(top, "Bob", stations[0].address());
    putUser(top, "Cy", stations[1].address());
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Empty")));
    start();
    ASSERT_TRUE(QDir(appDataDir()).mkpath(QStringLiteral("All Users.tqm")));

    box()->setEditText(QStringLiteral("< All users >"));
    type(QStringLiteral("lost"));
    view->SendOutgoing('0');
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_TRUE(prompter.boxes[0].text.contains(QStringLiteral("All Users.tqm")));

    // A group without active users: its text is kept, but there is nobody to send to, and a
    // display that no report would ever stop does not start.
    box()->setEditText(QStringLiteral("< Empty >"));
    view->SendOutgoing('0');
    EXPECT_EQ(templateText(QStringLiteral("Empty")), "lost");
    nothingSent();
}

TEST_F(ViewSendingTest, WithoutASystemNameNoStationIsSentToAndTheUserIsToldWhy)
{
    settings.set(keys::SystemName, QString());
    start();
    std::vector<SendRequest> started;
    view->station().setSendStarter([&](const SendRequest &request) { started.push_back(request); });
    box()->setEditText(QStringLiteral("Bob/") + stations[0].address() + QStringLiteral(";Cy/cy@example.org"));
    type(QStringLiteral("unreadable"));
    view->sendButton()->click();
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_TRUE(prompter.boxes[0].text.contains(QStringLiteral("system name"))) << prompter.boxes[0].text.toStdString();
    EXPECT_TRUE(started.empty());
    EXPECT_FALSE(view->station().viewer().composeReplaceable()) << "nothing was sent";

    // A mail carries no system name; it goes.
    box()->setEditText(QStringLiteral("Cy/cy@example.org"));
    view->sendButton()->click();
    EXPECT_EQ(prompter.boxes.size(), 1);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].destinations, QStringLiteral("Cy/cy@example.org"));
}

// No test here lets a send reach the network: the broadcast address is not loopback. The
// requests are taken in place of the send task.
class BroadcastSendTest : public ViewSendingTest {
protected:
    void start()
    {
        ViewSendingTest::start();
        view->station().setSendStarter([this](const SendRequest &request) { started.push_back(request); });
    }
    void pickBroadcast()
    {
        const int entry = box()->findText(DestinationList::broadcastText());
        ASSERT_GE(entry, 0);
        box()->setCurrentIndex(entry);
    }
    qsizetype questions() const
    {
        return std::count_if(prompter.boxes.begin(), prompter.boxes.end(), [](const test::RecordingPrompter::Box &box) {
            return box.text == QStringLiteral("Send this message to every station on the network?");
        });
    }
    int askSetting() const { return settings.get(keys::AskBeforeBroadcast); }

    std::vector<SendRequest> started;
};

TEST_F(BroadcastSendTest, TheSendCommandAsksOnceAndNoSendsNothing)
{
    start();
    pickBroadcast();
    type(QStringLiteral("to everybody"));
    view->sendButton()->click();
    ASSERT_EQ(prompter.boxes.size(), 1);
    const test::RecordingPrompter::Box &question = prompter.boxes[0];
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(question.checkText, QStringLiteral("Do not ask again"));
    EXPECT_EQ(question.icon, Prompter::Icon::Question);
    EXPECT_EQ(question.buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(question.defaultAnswer, Prompter::Answer::No);

    // No, the default: nothing goes, nothing is kept, the text waits for another destination.
    EXPECT_TRUE(started.empty());
    EXPECT_FALSE(view->sendTimerRunning());
    EXPECT_EQ(templateText(QStringLiteral("BroadcastMessage")), "<missing>");
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("to everybody"));
    EXPECT_FALSE(view->station().viewer().composeReplaceable());
    EXPECT_TRUE(box()->hasFocus());

    // "Do not ask again" with No still sends nothing, and asks the next time.
    prompter.answers = {Prompter::Answer::No};
    prompter.checks = {true};
    view->action(CTq20View::Command::SendHighImportance)->trigger();
    EXPECT_EQ(questions(), 2);
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(askSetting(), 1);

    // A broadcast address typed by hand reaches every station too.
    box()->setEditText(QStringLiteral("Everybody/255.255.255.255:u"));
    view->sendButton()->click();
    EXPECT_EQ(questions(), 3);
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(prompter.boxes.size(), 3);
}

TEST_F(BroadcastSendTest, YesSendsTheBroadcastAndDoNotAskAgainIsKept)
{
    start();
    pickBroadcast();
    type(QStringLiteral("to everybody"));
    prompter.answers = {Prompter::Answer::Yes};
    view->sendButton()->click();
    EXPECT_EQ(questions(), 1);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].destinations, QStringLiteral("255.255.255.255:u"));
    EXPECT_EQ(ParseDatagramPacket(started[0].datagramPacket).text,
              "Broadcast message from Ann Author.\r\n\r\nto everybody");
    EXPECT_EQ(templateText(QStringLiteral("BroadcastMessage")), "to everybody");
    EXPECT_TRUE(view->station().viewer().composeReplaceable());
    EXPECT_EQ(askSetting(), 1);

    prompter.answers = {Prompter::Answer::Yes};
    prompter.checks = {true};
    view->sendButton()->click();
    EXPECT_EQ(questions(), 2);
    EXPECT_EQ(started.size(), 2u);
    EXPECT_EQ(askSetting(), 0);

    // From now on it goes without a question.
    view->action(CTq20View::Command::Send)->trigger();
    EXPECT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(started.size(), 3u);
    EXPECT_EQ(started[2].destinations, QStringLiteral("255.255.255.255:u"));
}

TEST_F(BroadcastSendTest, AnAutomaticAnswerToTheBroadcastEntryNeverAsks)
{
    ASSERT_TRUE(test::writeFile(answerFilePath(appDataDir()), "Away.\r\n"));
    start();
    pickBroadcast();
    view->autoAnswerCheck()->click();
    ASSERT_TRUE(view->station().viewer().autoAnswerMode());

    const QByteArray packet =
        BuildStreamPacket({{}, "Message from Bob to Ann.\r\n\r\nhi", "BOBPC", '0', {}}, "10.0.0.7", 7010);
    view->station().OnIncomingMessage(Transport::Tcp, {quint32(packet.size()), "10.0.0.7", packet});
    EXPECT_TRUE(prompter.boxes.isEmpty());
    ASSERT_EQ(started.size(), 1u);
    EXPECT_TRUE(started[0].automaticAnswer);
    EXPECT_EQ(started[0].destinations, QStringLiteral("255.255.255.255:u"));
}

} // namespace
} // namespace tq
