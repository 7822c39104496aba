#include "app/MailTrayIcons.h"
#include "mail/BackgroundMailCheck.h"
#include "mail/CMailCheckDlg.h"
#include "mail/ScriptedMailServer.h"
#include "prefs/CMyPropertySheet.h"
#include "prefs/QEMail.h"

#include "app/MainFrameFixture.h"
#include "support/SignalWaiter.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace tq {
namespace {

class CMainFrameMailTest : public test::MainFrameFixture {
protected:
    void configureMailbox(const QString &server)
    {
        settings.set(keys::POP3Server1, server);
        settings.set(keys::UserName1, QStringLiteral("ann"));
        writePassword(settings, keys::P31, QStringLiteral("pw"));
    }
};

TEST_F(CMainFrameMailTest, MailCheckingRunsWithTheProcessesAndAnnouncesNewMail)
{
    test::ScriptedMailServer server("+OK ready\r\n", test::ScriptedMailServer::pop3("+OK 3 4096\r\n"));
    configureMailbox(server.serverText());
    settings.set(keys::EnableMailCheking, 1);
    settings.set(keys::MailChekingTime, 5);
    auto frame = makeFrame();
    frame->StartProcesses();
    EXPECT_TRUE(frame->backgroundMailCheck().isTimerActive());
    EXPECT_EQ(frame->backgroundMailCheck().interval(), std::chrono::minutes(5));
    ASSERT_TRUE(test::waitUntil([&] { return frame->mailTrayIcons().isShown(kFirstMailbox); }));
    EXPECT_EQ(frame->mailTrayIcons().toolTip(kFirstMailbox), QStringLiteral("You have 3 new messages in mailbox ann"));
    ASSERT_EQ(tray.messages.size(), 1) << "the window is not shown, so the tray tells";
    EXPECT_EQ(tray.messages[0].text, QStringLiteral("You have 3 new messages in mailbox ann"));

    frame->StopProcesses();
    EXPECT_FALSE(frame->backgroundMailCheck().isTimerActive());
    frame->OnExit();
    EXPECT_FALSE(frame->mailTrayIcons().isShown(kFirstMailbox)) << "Exit takes the mail icons away";
}

TEST_F(CMainFrameMailTest, TheMailMenuFollowsTheSettingsAndItsSwitchTurnsCheckingOnAndOff)
{
    auto frame = makeFrame();
    QMenu *menu = frame->mailMenu();
    QAction *toggle = action(*frame, "actionToggleMailChecking");
    QAction *read = action(*frame, "actionReadMail");
    Q_EMIT menu->aboutToShow();
    EXPECT_EQ(toggle->text(), QStringLiteral("Start checking"));
    EXPECT_FALSE(read->isEnabled()) << "no mail program";

    settings.set(keys::EMailProgram, QStringLiteral("mailer"));
    toggle->trigger();
    EXPECT_EQ(settings.get(keys::EnableMailCheking), 1);
    EXPECT_TRUE(frame->backgroundMailCheck().isTimerActive());
    Q_EMIT menu->aboutToShow();
    EXPECT_EQ(toggle->text(), QStringLiteral("&Don't check anymore"));
    EXPECT_TRUE(read->isEnabled());

    frame->mailTrayIcons().showMailIcon(kMailErrorIcon, QStringLiteral("Internal TCP/IP error"));
    toggle->trigger();
    EXPECT_EQ(settings.get(keys::EnableMailCheking), 0);
    EXPECT_FALSE(frame->backgroundMailCheck().isTimerActive());
    EXPECT_FALSE(frame->mailTrayIcons().isShown(kMailErrorIcon));
}

TEST_F(CMainFrameMailTest, WithTheSheetOpenTheSwitchGoesThroughTheEMailPageEvenWhenThePageUntickedTheBox)
{
    configureMailbox(QStringLiteral("127.0.0.1:1"));
    auto frame = makeFrame();
    frame->show();
    frame->OnPreferences();
    CMyPropertySheet *sheet = frame->preferencesSheet();
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->currentPage(), CMyPropertySheet::GeneralPage);
    action(*frame, "actionToggleMailChecking")->trigger();
    EXPECT_EQ(settings.get(keys::EnableMailCheking), 1);
    sheet->setCurrentPage(CMyPropertySheet::EMailPage);
    EXPECT_TRUE(sheet->findChild<QCheckBox *>(QStringLiteral("mailCheckingCheck"))->isChecked());
    sheet->reject();
    EXPECT_EQ(settings.get(keys::EnableMailCheking), 0) << "Cancel puts the switch back";

    settings.set(keys::EnableMailCheking, 1);
    action(*frame, "actionMailSettings")->trigger();
    sheet = frame->preferencesSheet();
    ASSERT_NE(sheet, nullptr);
    auto *user = sheet->findChild<QLineEdit *>(QStringLiteral("user1Edit"));
    user->selectAll();
    QTest::keyClick(user, Qt::Key_Backspace);
    ASSERT_FALSE(sheet->findChild<QCheckBox *>(QStringLiteral("mailCheckingCheck"))->isChecked());
    action(*frame, "actionToggleMailChecking")->trigger();
    EXPECT_EQ(settings.get(keys::EnableMailCheking), 0);
    EXPECT_FALSE(sheet->findChild<QCheckBox *>(QStringLiteral("mailCheckingCheck"))->isChecked());
    frame->StopProcesses();
}

TEST_F(CMainFrameMailTest, DoubleClickOnAMailIconStartsTheMailProgramAndClearsTheIcons)
{
    auto frame = makeFrame();
    MailTrayIcons &icons = frame->mailTrayIcons();
    icons.showMailIcon(kFirstMailbox, QStringLiteral("You have 2 new messages in mailbox ann"));
    icons.showMailIcon(kMailErrorIcon, QStringLiteral("Invalid POP3 server  x!"));
    icons.activate(kFirstMailbox, TrayIcon::Activation::DoubleClick);
    EXPECT_TRUE(shell.commandLines.isEmpty()) << "no mail program set";
    EXPECT_FALSE(icons.isShown(kMailErrorIcon));

    settings.set(keys::EMailProgram, QStringLiteral("mailer --inbox"));
    icons.showMailIcon(kSecondMailbox, QStringLiteral("You have 1 new messages in mailbox bob"));
    icons.activate(kSecondMailbox, TrayIcon::Activation::DoubleClick);
    EXPECT_EQ(shell.commandLines, QStringList{QStringLiteral("mailer --inbox")});
    EXPECT_FALSE(icons.isShown(kSecondMailbox));
}

TEST_F(CMainFrameMailTest, CheckNowUsesThePageValuesWhileTheSheetShowsTheEMailPage)
{
    test::ScriptedMailServer silent({}, [](const QByteArray &) { return QByteArray(); });
    configureMailbox(QStringLiteral("127.0.0.1:1"));
    auto frame = makeFrame();
    frame->show();
    action(*frame, "actionMailSettings")->trigger();
    CMyPropertySheet *sheet = frame->preferencesSheet();
    ASSERT_NE(sheet, nullptr);
    auto *server = sheet->findChild<QLineEdit *>(QStringLiteral("server1Edit"));
    server->selectAll();
    QTest::keyClicks(server, silent.serverText());

    action(*frame, "actionCheckMailNow")->trigger();
    CMailCheckDlg *dialog = sheet->emailPage()->checkDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(frame->mailCheckDialog(), nullptr);
    auto *status = dialog->findChild<QLabel *>(QStringLiteral("statusLine"));
    EXPECT_TRUE(test::waitUntil([&] { return status->text().endsWith(silent.serverText()); }))
        << status->text().toStdString();
    dialog->reject();
    sheet->reject();

    action(*frame, "actionCheckMailNow")->trigger();
    CMailCheckDlg *stored = frame->mailCheckDialog();
    ASSERT_NE(stored, nullptr) << "without the sheet the stored mailboxes are checked";
    auto *storedStatus = stored->findChild<QLabel *>(QStringLiteral("statusLine"));
    EXPECT_TRUE(test::waitUntil([&] { return storedStatus->text().endsWith(QStringLiteral("127.0.0.1:1")); }))
        << storedStatus->text().toStdString();
    action(*frame, "actionCheckMailNow")->trigger();
    EXPECT_EQ(frame->mailCheckDialog(), stored);
    stored->reject();
}

TEST_F(CMainFrameMailTest, NewMessagesAreAnnouncedOnlyWhileTheWindowIsAway)
{
    auto frame = makeFrame();
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->showDesktopNotice(QStringLiteral("Message from Ann to Bob.\r\n\r\nHello"));
    EXPECT_TRUE(tray.messages.isEmpty()) << "the user is looking at the window";

    frame->minimizeToTray();
    frame->showDesktopNotice(QStringLiteral("Message from Ann to Bob.\r\n\r\nHello"));
    ASSERT_EQ(tray.messages.size(), 1);
    EXPECT_EQ(tray.messages[0].text, QStringLiteral("Message from Ann to Bob."));

    settings.set(keys::Notify, 0);
    frame->showDesktopNotice(QStringLiteral("Message from Ann to Bob.\r\n\r\nAgain"));
    frame->mailTrayIcons().showMailIcon(kFirstMailbox, QStringLiteral("You have 1 new messages in mailbox ann"));
    EXPECT_EQ(tray.messages.size(), 1) << "notifications switched off";

    settings.set(keys::Notify, 1);
    tray.available = false;
    frame->showDesktopNotice(QStringLiteral("Message from Ann to Bob."));
    EXPECT_EQ(tray.messages.size(), 1) << "without a tray the window asks for attention instead";
}

} // namespace
} // namespace tq
