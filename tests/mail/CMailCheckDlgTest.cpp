#include "mail/CMailCheckDlg.h"
#include "mail/DovecotServer.h"
#include "mail/MailAnnouncer.h"
#include "mail/MailCounts.h"
#include "mail/RecordingMailTray.h"
#include "mail/ScriptedMailServer.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/RecordingSoundPlayer.h"
#include "support/SignalWaiter.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace std::chrono_literals;

class CMailCheckDlgTest : public ::testing::Test {
protected:
    std::unique_ptr<CMailCheckDlg> open(const MailCheckRequest &request)
    {
        auto dialog = std::make_unique<CMailCheckDlg>(request, announcer, counts);
        dialog->setSocketTimeout(10s);
        dialog->show();
        statusLine = dialog->findChild<QLabel *>(QStringLiteral("statusLine"));
        previousLine = dialog->findChild<QLabel *>(QStringLiteral("previousLine"));
        bar = dialog->findChild<QProgressBar *>(QStringLiteral("progressBar"));
        button = dialog->findChild<QPushButton *>(QStringLiteral("closeButton"));
        EXPECT_TRUE(statusLine && previousLine && bar && button);
        return dialog;
    }

    bool waitForOk() const
    {
        return test::waitUntil([this] { return button->text() == QStringLiteral("OK"); }, 20000);
    }

    static MailboxAccount account(const QString &server, const char *user, const char *password)
    {
        return {server, QString::fromLatin1(user), QString::fromLatin1(password)};
    }

    test::RecordingMailTray tray;
    test::RecordingSoundPlayer sound;
    MailAnnouncer announcer{tray, sound};
    MailCounts counts;
    QLabel *statusLine = nullptr;
    QLabel *previousLine = nullptr;
    QProgressBar *bar = nullptr;
    QPushButton *button = nullptr;
};

TEST_F(CMailCheckDlgTest, StepsOfACheckThatWaitsShowInTheWindowAndCancelEndsIt)
{
    // Greets, then never answers USER.
    test::ScriptedMailServer server("+OK hello\r\n", {});
    auto dialog = open(MailCheckRequest::make(account(server.serverText(), "alice", "pw"), {}, false, false));
    EXPECT_EQ(button->text(), QStringLiteral("Cancel"));
    ASSERT_TRUE(
        test::waitUntil([&] { return statusLine->text() == QStringLiteral("Authentification for user alice"); }));
    EXPECT_GE(bar->value(), 300);
    const int reached = bar->value();
    EXPECT_TRUE(test::waitUntil([&] { return bar->value() > reached; }, 3000))
        << "the bar moves while the server is silent";

    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_FALSE(dialog->isVisible());
    QCoreApplication::processEvents();
    EXPECT_TRUE(tray.shown.isEmpty());
}

TEST_F(CMailCheckDlgTest, RefusedConnectionAndMissingCountAreShownWithTheServer)
{
    const QString refused = QStringLiteral("127.0.0.1:%1").arg(test::unusedTcpPort());
    auto first = open(MailCheckRequest::make(account(refused, "alice", "pw"), {}, false, false));
    ASSERT_TRUE(waitForOk());
    EXPECT_EQ(statusLine->text(), QStringLiteral("Unable to connect with mail server ") + refused);
    first.reset();

    test::ScriptedMailServer server("+OK\r\n", test::ScriptedMailServer::pop3("-ERR not now\r\n"));
    auto second = open(MailCheckRequest::make(account(server.serverText(), "alice", "pw"), {}, false, false));
    ASSERT_TRUE(waitForOk());
    EXPECT_EQ(statusLine->text(),
              QStringLiteral("Unable to retrive new mail statistics from mailserver ") + server.serverText());
}

class CMailCheckDlgPop3Test : public CMailCheckDlgTest {
protected:
    void SetUp() override
    {
        if (const QString reason = test::DovecotServer::unavailableReason(); !reason.isEmpty())
            GTEST_SKIP() << "No real POP3 server: " << reason.toStdString();
        ASSERT_TRUE(server.start()) << server.error().toStdString();
    }

    test::DovecotServer server;
};

TEST_F(CMailCheckDlgPop3Test, WrongPasswordShowsTheAuthentificationError)
{
    auto dialog = open(MailCheckRequest::make(account(server.serverText(), "alice", "nope"), {}, false, false));
    ASSERT_TRUE(waitForOk());
    EXPECT_EQ(statusLine->text(), QStringLiteral("Authentification error for user alice"));
    EXPECT_EQ(tray.shown.value(kMailErrorIcon), QStringLiteral("Authentification error for user alice!"));
}

TEST_F(CMailCheckDlgPop3Test, TwoMailboxesShowBothOutcomesAndOkCloses)
{
    server.setMessageCount(QStringLiteral("alice"), 3);
    auto dialog = open(MailCheckRequest::make(account(server.serverText(), "alice", "wonderland"),
                                              account(server.serverText(), "bob", "builder"), true, false));
    ASSERT_TRUE(test::waitUntil(
        [&] { return statusLine->text() == QStringLiteral("Mail server has 0 new message(s) for bob"); }, 20000));
    EXPECT_EQ(previousLine->text(), QStringLiteral("Mail server has 3 new message(s) for alice"));
    EXPECT_EQ(bar->value(), 600);
    ASSERT_TRUE(waitForOk());
    EXPECT_EQ(tray.shown.value(kFirstMailbox), QStringLiteral("You have 3 new messages in mailbox alice"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(counts.count(kFirstMailbox), 3);
}

} // namespace
} // namespace tq
