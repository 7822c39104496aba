// Mailbox checks against scripted servers: the misbehaviour real servers do not show on demand.
#include "mail/BackgroundMailCheck.h"
#include "mail/MailCheckRecorder.h"
#include "mail/ScriptedMailServer.h"
#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace std::chrono_literals;

MailCheckRequest firstOnly(const QString &server, bool playSound = false)
{
    return MailCheckRequest::make({server, QStringLiteral("alice"), QStringLiteral("secret")}, {}, false, playSound);
}

constexpr auto pop3Answers = &test::ScriptedMailServer::pop3;

TEST(CheckMailThread, RefusedConnectionShowsTheConnectError)
{
    test::MailCheckRecorder recorder;
    recorder.counts.setCount(kFirstMailbox, 4);
    const QString server = QStringLiteral("127.0.0.1:%1").arg(test::unusedTcpPort());
    ASSERT_TRUE(recorder.check(firstOnly(server, true)));
    EXPECT_EQ(recorder.tray.shown.value(kMailErrorIcon),
              QStringLiteral("Unable to connect with POP3 ") + server + u'!');
    EXPECT_EQ(recorder.counts.count(kFirstMailbox), 0);
    EXPECT_EQ(recorder.sound.played, QStringList{QStringLiteral("SystemExclamation")});
}

TEST(CheckMailThread, EveryCheckFirstTakesThePreviousErrorAwayAndAnOverlongLineIsCut)
{
    test::MailCheckRecorder recorder;
    recorder.tray.showMailIcon(kMailErrorIcon, QStringLiteral("old"));
    // The tail of the greeting must not be taken for the answers that follow.
    test::ScriptedMailServer server("+OK " + QByteArray(100000, 'x') + "\r\n", pop3Answers("+OK 2 200\r\n"));
    ASSERT_TRUE(recorder.check(firstOnly(server.serverText())));
    EXPECT_FALSE(recorder.tray.shown.contains(kMailErrorIcon));
    EXPECT_EQ(recorder.tray.shown.value(kFirstMailbox), QStringLiteral("You have 2 new messages in mailbox alice"));
    EXPECT_EQ(server.receivedLines(), (QByteArrayList{"USER alice\r\n", "PASS secret\r\n", "STAT\r\n", "QUIT\r\n"}));
}

TEST(CheckMailThread, StatAnswerWithoutCountEndsTheCheckWithoutAnnouncement)
{
    for (const QByteArray &reply : {QByteArray("+OK\r\n"), QByteArray("-ERR busy\r\n")}) {
        test::MailCheckRecorder recorder;
        recorder.counts.setCount(kFirstMailbox, 3);
        test::ScriptedMailServer server("+OK ready\r\n", pop3Answers(reply));
        ASSERT_TRUE(recorder.check(firstOnly(server.serverText())));
        EXPECT_EQ(recorder.stepsOf(kFirstMailbox).last(), mailstep::CountFailed) << reply.constData();
        EXPECT_EQ(recorder.tray.calls.size(), 1) << "only the error icon's removal";
        EXPECT_EQ(recorder.counts.count(kFirstMailbox), 0);
        EXPECT_EQ(server.receivedLines().last(), QByteArray("QUIT\r\n"));
    }
}

TEST(CheckMailThread, WrongGreetingIsAnInvalidServer)
{
    test::MailCheckRecorder recorder;
    test::ScriptedMailServer server("220 an SMTP server\r\n", pop3Answers("+OK 1 1\r\n"));
    ASSERT_TRUE(recorder.check(firstOnly(server.serverText())));
    EXPECT_EQ(recorder.tray.shown.value(kMailErrorIcon),
              QStringLiteral("Invalid POP3 server  ") + server.serverText() + u'!');
    EXPECT_EQ(server.receivedLines(), QByteArrayList{"QUIT\r\n"});
}

TEST(CheckMailThread, SecondMailboxIsSkippedWhenIncompleteAndItsCountCleared)
{
    test::MailCheckRecorder recorder;
    recorder.counts.setCount(kSecondMailbox, 9);
    test::ScriptedMailServer server("+OK\r\n", pop3Answers("+OK 1 10\r\n"));
    const MailCheckRequest request = MailCheckRequest::make({server.serverText(), QStringLiteral("a"), {}},
                                                            {server.serverText(), {}, {}}, true, false);
    ASSERT_TRUE(recorder.check(request));
    EXPECT_EQ(server.connectionCount(), 1);
    EXPECT_EQ(recorder.counts.count(kSecondMailbox), 0);
}

TEST(CheckMailThread, CancelEndsAtOnceAndLeavesTheCountsAlone)
{
    test::ScriptedMailServer silent({}, {});
    MailCounts counts;
    counts.setCount(kFirstMailbox, 5);
    CCheckMailThread check(firstOnly(silent.serverText()), counts);
    bool announced = false;
    QObject context;
    QObject::connect(&check, &CCheckMailThread::mailState, &context, [&announced] { announced = true; });
    check.start();
    ASSERT_TRUE(test::waitUntil([&] { return silent.connectionCount() == 1; }));
    QElapsedTimer timer;
    timer.start();
    check.cancel();
    EXPECT_LT(timer.elapsed(), 5000);
    QCoreApplication::processEvents();
    EXPECT_FALSE(announced);
    EXPECT_EQ(counts.count(kFirstMailbox), 5);
}

class BackgroundMailCheckTest : public test::IsolatedHome {
protected:
    SettingsStore settings;
    test::RecordingMailTray tray;
    test::RecordingSoundPlayer sound;
    MailAnnouncer announcer{tray, sound};
    MailCounts counts;
};

TEST_F(BackgroundMailCheckTest, SilentServerEndsAtTheTimeOutAndNoSecondCheckStartsMeanwhile)
{
    test::ScriptedMailServer silent({}, {});
    BackgroundMailCheck background(settings, announcer, counts);
    background.setSocketTimeout(400ms);
    MailSettingsCache cache;
    cache.first = {silent.serverText(), QStringLiteral("alice"), QStringLiteral("pw")};
    background.start(cache, 1);
    ASSERT_TRUE(test::waitUntil([&] { return silent.connectionCount() == 1; }));
    EXPECT_TRUE(background.isCheckRunning());
    EXPECT_FALSE(background.checkNow()) << "a tick while the check waits starts nothing";

    ASSERT_TRUE(test::waitUntil([&] { return !background.isCheckRunning(); }, 20000)) << "the check hangs";
    EXPECT_EQ(silent.connectionCount(), 1);
    EXPECT_EQ(tray.shown.value(kMailErrorIcon), QStringLiteral("Invalid POP3 server  ") + silent.serverText() + u'!');

    EXPECT_TRUE(background.checkNow());
    ASSERT_TRUE(test::waitUntil([&] { return silent.connectionCount() == 2; }));
    background.stop();
    EXPECT_FALSE(background.isCheckRunning());
    EXPECT_FALSE(background.isTimerActive());
}

TEST_F(BackgroundMailCheckTest, TicksReadTheSecondMailboxAndSoundSwitchesNow)
{
    test::ScriptedMailServer server("+OK\r\n", pop3Answers("+OK 2 20\r\n"));
    BackgroundMailCheck background(settings, announcer, counts);
    MailSettingsCache cache;
    cache.first = {server.serverText(), QStringLiteral("alice"), QStringLiteral("pw")};
    cache.second = {server.serverText(), QStringLiteral("bob"), QStringLiteral("pw")};
    background.start(cache, 0);
    EXPECT_EQ(background.interval(), 60000ms) << "an interval below one minute would check without pause";
    ASSERT_TRUE(test::waitUntil([&] { return !background.isCheckRunning(); }));
    EXPECT_EQ(server.connectionCount(), 1) << "Use2POP3Servers is off";
    EXPECT_TRUE(sound.played.isEmpty());

    settings.set(keys::Use2POP3Servers, 1);
    settings.set(keys::PlayMailSound, 1);
    counts.reset();
    ASSERT_TRUE(background.checkNow());
    ASSERT_TRUE(test::waitUntil([&] { return !background.isCheckRunning(); }));
    EXPECT_EQ(server.connectionCount(), 3);
    EXPECT_EQ(tray.shown.value(kSecondMailbox), QStringLiteral("You have 2 new messages in mailbox bob"));
    EXPECT_EQ(sound.played, (QStringList{QStringLiteral("MailBeep"), QStringLiteral("MailBeep")}));
}

TEST_F(BackgroundMailCheckTest, PasswordsAreReadInClearAndTheSecondOnlyWhenUsed)
{
    settings.set(keys::POP3Server1, QStringLiteral("pop.example.org"));
    settings.set(keys::UserName1, QStringLiteral("alice"));
    writePassword(settings, keys::P31, QStringLiteral("s3cret"));
    writePassword(settings, keys::P32, QStringLiteral("other"));
    EXPECT_EQ(MailSettingsCache::read(settings).second.password, QStringLiteral("other"));
    EXPECT_EQ(checkNowRequest(settings).first.password, QStringLiteral("s3cret"));
    EXPECT_EQ(checkNowRequest(settings).second.password, QString()) << "Use2POP3Servers is off";
}

} // namespace
} // namespace tq
