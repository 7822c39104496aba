// Mailbox checks against a real POP3 server (Dovecot) started by the test.
#include "mail/DovecotServer.h"
#include "mail/MailCheckRecorder.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

class Pop3ServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const QString reason = test::DovecotServer::unavailableReason(); !reason.isEmpty())
            GTEST_SKIP() << "No real POP3 server: " << reason.toStdString();
        ASSERT_TRUE(server.start()) << server.error().toStdString();
    }

    MailboxAccount alice() const
    {
        return {server.serverText(), QStringLiteral("alice"), QStringLiteral("wonderland")};
    }
    MailboxAccount bob() const { return {server.serverText(), QStringLiteral("bob"), QStringLiteral("builder")}; }

    test::DovecotServer server;
    test::MailCheckRecorder recorder;
};

TEST_F(Pop3ServerTest, NewMailIsAnnouncedOnceUntilTheCountRisesAndGoesWhenTheMailboxEmpties)
{
    const MailCheckRequest request = MailCheckRequest::make(alice(), {}, false, true);
    server.setMessageCount(QStringLiteral("alice"), 3);
    ASSERT_TRUE(recorder.check(request));
    EXPECT_EQ(recorder.counts.count(kFirstMailbox), 3);
    EXPECT_EQ(recorder.tray.shown.value(kFirstMailbox), QStringLiteral("You have 3 new messages in mailbox alice"));
    EXPECT_EQ(
        recorder.stepsOf(kFirstMailbox),
        (QList<int>{mailstep::Connecting, mailstep::Accepted, mailstep::UserSent, mailstep::UserAccepted,
                    mailstep::PasswordSent, mailstep::PasswordAccepted, mailstep::Counting, mailstep::CountBase + 3}));

    ASSERT_TRUE(recorder.check(request));
    EXPECT_EQ(recorder.tray.showCount(kFirstMailbox), 1) << "the same three messages are no news";

    server.setMessageCount(QStringLiteral("alice"), 5);
    ASSERT_TRUE(recorder.check(request));
    EXPECT_EQ(recorder.tray.showCount(kFirstMailbox), 2);
    EXPECT_EQ(recorder.tray.shown.value(kFirstMailbox), QStringLiteral("You have 5 new messages in mailbox alice"));

    server.setMessageCount(QStringLiteral("alice"), 2);
    ASSERT_TRUE(recorder.check(request));
    EXPECT_EQ(recorder.tray.showCount(kFirstMailbox), 2) << "fewer messages change nothing";
    EXPECT_TRUE(recorder.tray.shown.contains(kFirstMailbox));

    server.setMessageCount(QStringLiteral("alice"), 0);
    ASSERT_TRUE(recorder.check(request));
    EXPECT_FALSE(recorder.tray.shown.contains(kFirstMailbox));
    EXPECT_EQ(recorder.counts.count(kFirstMailbox), 0);
    EXPECT_EQ(recorder.sound.played, (QStringList{QStringLiteral("MailBeep"), QStringLiteral("MailBeep")}));
}

TEST_F(Pop3ServerTest, WrongPasswordShowsTheErrorIcon)
{
    recorder.counts.setCount(kFirstMailbox, 2);
    MailboxAccount wrong = alice();
    wrong.password = QStringLiteral("looking-glass");
    ASSERT_TRUE(recorder.check(MailCheckRequest::make(wrong, {}, false, false)));
    EXPECT_EQ(recorder.tray.shown.value(kMailErrorIcon), QStringLiteral("Authentification error for user alice!"));
    EXPECT_EQ(recorder.stepsOf(kFirstMailbox).last(), mailstep::AuthFailed);
    EXPECT_EQ(recorder.counts.count(kFirstMailbox), 0);
    EXPECT_TRUE(recorder.sound.played.isEmpty());

    // The next good check takes the error away and announces the mail again.
    server.setMessageCount(QStringLiteral("alice"), 1);
    ASSERT_TRUE(recorder.check(MailCheckRequest::make(alice(), {}, false, false)));
    EXPECT_FALSE(recorder.tray.shown.contains(kMailErrorIcon));
    EXPECT_TRUE(recorder.tray.shown.contains(kFirstMailbox));
}

TEST_F(Pop3ServerTest, SecondMailboxHasItsOwnCountAndIcon)
{
    server.setMessageCount(QStringLiteral("alice"), 2);
    server.setMessageCount(QStringLiteral("bob"), 4);
    const MailCheckRequest request = MailCheckRequest::make(alice(), bob(), true, false);
    ASSERT_TRUE(recorder.check(request));
    EXPECT_EQ(recorder.counts.count(kFirstMailbox), 2);
    EXPECT_EQ(recorder.counts.count(kSecondMailbox), 4);
    EXPECT_EQ(recorder.tray.shown.value(kSecondMailbox), QStringLiteral("You have 4 new messages in mailbox bob"));
    EXPECT_EQ(recorder.stepsOf(kSecondMailbox).last(), mailstep::CountBase + 4);

    server.setMessageCount(QStringLiteral("bob"), 0);
    ASSERT_TRUE(recorder.check(request));
    EXPECT_FALSE(recorder.tray.shown.contains(kSecondMailbox));
    EXPECT_TRUE(recorder.tray.shown.contains(kFirstMailbox));

    // The first mailbox failing does not keep the second from being checked.
    server.setMessageCount(QStringLiteral("bob"), 6);
    MailboxAccount wrong = alice();
    wrong.password = QStringLiteral("x");
    ASSERT_TRUE(recorder.check(MailCheckRequest::make(wrong, bob(), true, false)));
    EXPECT_TRUE(recorder.tray.shown.contains(kMailErrorIcon));
    EXPECT_EQ(recorder.tray.shown.value(kSecondMailbox), QStringLiteral("You have 6 new messages in mailbox bob"));
}

} // namespace
} // namespace tq
