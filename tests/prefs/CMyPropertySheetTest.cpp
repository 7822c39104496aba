#include "prefs/CMyPropertySheet.h"
#include "mail/MailAnnouncer.h"
#include "mail/MailCounts.h"
#include "mail/RecordingMailTray.h"
#include "messages/KillWordFilter.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"
#include "support/RecordingPrompter.h"
#include "support/RecordingShell.h"
#include "support/RecordingSoundPlayer.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace tq {
namespace {

class CMyPropertySheetTest : public test::IsolatedHome {
protected:
    std::unique_ptr<CMyPropertySheet> openSheet(int page = CMyPropertySheet::GeneralPage)
    {
        auto sheet =
            std::make_unique<CMyPropertySheet>(PrefsContext{settings, prompter, sound, shell, announcer, counts,
                                                            QFont(), QFont(), AppDataDir::path(), "10.0.0.1"},
                                               page);
        sheet->show();
        return sheet;
    }
    template <typename T>
    static T *child(const CMyPropertySheet &sheet, const char *name)
    {
        T *widget = sheet.findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void retype(QLineEdit *edit, const QString &text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static void click(CMyPropertySheet &sheet, const char *button)
    {
        QTest::mouseClick(child<QAbstractButton>(sheet, button), Qt::LeftButton);
    }
    void setUpMailbox()
    {
        settings.set(keys::POP3Server1, QStringLiteral("pop.example.org"));
        settings.set(keys::UserName1, QStringLiteral("ann"));
        settings.set(keys::POP3Server2, QStringLiteral("pop2.example.org"));
        settings.set(keys::UserName2, QStringLiteral("bob"));
        settings.set(keys::Use2POP3Servers, 1);
        settings.set(keys::EnableMailCheking, 1);
    }

    SettingsStore settings;
    test::RecordingPrompter prompter;
    test::RecordingSoundPlayer sound;
    test::RecordingShell shell;
    test::RecordingMailTray tray;
    MailAnnouncer announcer{tray, sound};
    MailCounts counts;
};

TEST_F(CMyPropertySheetTest, TheGeneralPageShowsTheAddressThePacketsName)
{
    // One rule for the own address: the page shows what the station puts in its packets.
    const std::unique_ptr<CMyPropertySheet> sheet = openSheet();
    EXPECT_EQ(child<QLineEdit>(*sheet, "ownAddressEdit")->text(), QStringLiteral("10.0.0.1"));
}

TEST_F(CMyPropertySheetTest, OkWritesNothingForPagesNeverShownAndLeavesTheKillFileAlone)
{
    ASSERT_TRUE(test::writeFile(killFilePath(appDataDir()), "spam\nbadword"));
    const QDateTime written = QFileInfo(killFilePath(appDataDir())).lastModified();

    auto sheet = openSheet();
    // Written behind the sheet's back after it read its values: only a page that writes on
    // OK would put the old value back.
    settings.set(keys::CloseAsk, 2);
    settings.set(keys::DontDuplicate, 0);
    settings.set(keys::SMTPServer, QStringLiteral("smtp.example.org"));
    click(*sheet, "okButton");
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(settings.get(keys::CloseAsk), 2);
    EXPECT_EQ(settings.get(keys::DontDuplicate), 0);
    EXPECT_EQ(settings.get(keys::SMTPServer), QStringLiteral("smtp.example.org"));
    EXPECT_EQ(test::readFile(killFilePath(appDataDir())), QByteArray("spam\nbadword"));
    EXPECT_EQ(QFileInfo(killFilePath(appDataDir())).lastModified(), written);
}

TEST_F(CMyPropertySheetTest, VisitedFilteringWritesTheKillWordsWhole)
{
    auto sheet = openSheet(CMyPropertySheet::FilteringPage);
    auto *words = child<QPlainTextEdit>(*sheet, "killWordsEdit");
    QTest::keyClicks(words, QStringLiteral("spam"));
    QTest::keyClick(words, Qt::Key_Return);
    QTest::keyClicks(words, QStringLiteral("free money"));
    click(*sheet, "okButton");
    EXPECT_EQ(test::readFile(killFilePath(appDataDir())), QByteArray("spam\r\nfree money"));
}

TEST_F(CMyPropertySheetTest, DeclinedPortChangeKeepsThePortButSavesTheName)
{
    settings.set(keys::TcpPort, 7777);
    auto sheet = openSheet();
    retype(child<QLineEdit>(*sheet, "portEdit"), QStringLiteral("8000"));
    retype(child<QLineEdit>(*sheet, "fullNameEdit"), QStringLiteral("Ann Other"));
    prompter.answers = {Prompter::Answer::No};
    click(*sheet, "okButton");
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].defaultAnswer, Prompter::Answer::No);
    EXPECT_EQ(settings.get(keys::TcpPort), 7777);
    EXPECT_EQ(settings.get(keys::FullName), QStringLiteral("Ann Other"));
}

TEST_F(CMyPropertySheetTest, PortOutOfRangeKeepsThePageOpenWithTheFocusInTheField)
{
    for (const char *port : {"80", "70000"}) {
        auto sheet = openSheet();
        retype(child<QLineEdit>(*sheet, "fullNameEdit"), QStringLiteral("Changed"));
        auto *portEdit = child<QLineEdit>(*sheet, "portEdit");
        retype(portEdit, QLatin1String(port));
        prompter.boxes.clear();
        click(*sheet, "okButton");
        EXPECT_TRUE(sheet->isVisible()) << port;
        ASSERT_EQ(prompter.boxes.size(), 1) << port;
        EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Please enter an integer between 1025 and 65535."));
        EXPECT_EQ(sheet->focusWidget(), portEdit) << port;
        EXPECT_EQ(settings.get(keys::TcpPort), 7777);
        EXPECT_NE(settings.get(keys::FullName), QStringLiteral("Changed")) << "nothing is written";

        // Leaving the page is refused the same way.
        auto *tabs = child<QTabWidget>(*sheet, "preferencePages");
        tabs->setCurrentIndex(CMyPropertySheet::InterfacePage);
        EXPECT_EQ(tabs->currentIndex(), CMyPropertySheet::GeneralPage);
        EXPECT_EQ(prompter.boxes.size(), 2);
    }
}

TEST_F(CMyPropertySheetTest, PortAndDelayTakeDigitsOnlyAndPresetsFillThem)
{
    auto sheet = openSheet();
    auto *port = child<QLineEdit>(*sheet, "portEdit");
    auto *defaultButton = child<QPushButton>(*sheet, "defaultButton");
    EXPECT_FALSE(defaultButton->isEnabled()) << "the port already reads 7777";
    retype(port, QStringLiteral("80x0a"));
    EXPECT_EQ(port->text(), QStringLiteral("800"));
    QTest::mouseClick(defaultButton, Qt::LeftButton);
    EXPECT_EQ(port->text(), QStringLiteral("7777"));
    click(*sheet, "internetButton");
    child<QRadioButton>(*sheet, "udpRadio")->click();
    click(*sheet, "okButton");
    EXPECT_EQ(settings.get(keys::Delay), 60000);
    EXPECT_EQ(settings.get(keys::UseProtocol), 1);
    EXPECT_TRUE(prompter.boxes.isEmpty()) << "the port did not change";
}

TEST_F(CMyPropertySheetTest, ClearingTheFirstUserNameSwitchesMailCheckingAndTheSecondMailboxOff)
{
    setUpMailbox();
    auto sheet = openSheet(CMyPropertySheet::EMailPage);
    auto *checking = child<QCheckBox>(*sheet, "mailCheckingCheck");
    auto *second = child<QCheckBox>(*sheet, "secondMailboxCheck");
    ASSERT_TRUE(checking->isEnabled() && checking->isChecked() && second->isChecked());

    retype(child<QLineEdit>(*sheet, "user1Edit"), QString());
    EXPECT_FALSE(checking->isChecked());
    EXPECT_FALSE(checking->isEnabled());
    EXPECT_FALSE(child<QSpinBox>(*sheet, "mailMinutesSpin")->isEnabled());
    EXPECT_FALSE(second->isChecked());
    click(*sheet, "okButton");
    EXPECT_EQ(settings.get(keys::EnableMailCheking), 0);
    EXPECT_EQ(settings.get(keys::Use2POP3Servers), 0);
}

TEST_F(CMyPropertySheetTest, MailCheckingIsWrittenAtOnceAndCancelPutsItBack)
{
    setUpMailbox();
    settings.set(keys::EnableMailCheking, 0);
    counts.setCount(kFirstMailbox, 4);
    auto sheet = openSheet(CMyPropertySheet::EMailPage);
    auto *checking = child<QCheckBox>(*sheet, "mailCheckingCheck");
    QTest::mouseClick(checking, Qt::LeftButton);
    EXPECT_TRUE(checking->isChecked());
    EXPECT_EQ(settings.get(keys::EnableMailCheking), 1);
    EXPECT_EQ(counts.count(kFirstMailbox), 0) << "switching starts the counts afresh";
    click(*sheet, "cancelButton");
    EXPECT_EQ(settings.get(keys::EnableMailCheking), 0);
}

TEST_F(CMyPropertySheetTest, MailFieldsAreWrittenWithTheirRules)
{
    settings.set(keys::UserName2, QStringLiteral("bob"));
    settings.set(keys::Use2POP3Servers, 1);
    auto sheet = openSheet(CMyPropertySheet::EMailPage);
    EXPECT_TRUE(child<QCheckBox>(*sheet, "secondMailboxCheck")->isChecked());
    for (const char *name : {"password1Edit", "password2Edit"}) {
        auto *password = child<QLineEdit>(*sheet, name);
        QTest::keyClicks(password, QString(37, u'k'));
        EXPECT_EQ(password->text(), QString(36, u'k')) << name;
    }
    QTest::keyClicks(child<QLineEdit>(*sheet, "emailProgramEdit"), QStringLiteral("   mailer -n"));
    click(*sheet, "okButton");
    EXPECT_EQ(settings.get(keys::Use2POP3Servers), 0) << "a second mailbox without server is not used";
    EXPECT_EQ(readPassword(settings, keys::P31), QString(36, u'k'));
    EXPECT_NE(settings.get(keys::P31), QString(36, u'k')) << "stored scrambled";
    EXPECT_EQ(settings.get(keys::EMailProgram), QStringLiteral("mailer -n"));
}

TEST_F(CMyPropertySheetTest, BrowseFillsItsFieldAndPlayRunAndViewActOnlyOnAFilledField)
{
    auto sheet = openSheet(CMyPropertySheet::InterfacePage);
    auto *soundFile = child<QLineEdit>(*sheet, "soundFileEdit");
    soundFile->setText(QStringLiteral("/nowhere/ring.wav"));
    prompter.fileNames = {QStringLiteral("/sounds/bell.wav")};
    click(*sheet, "soundBrowseButton");
    ASSERT_EQ(prompter.fileDialogs.size(), 1);
    EXPECT_EQ(prompter.fileDialogs[0].initialPath, QStringLiteral("receive.wav"));
    EXPECT_EQ(soundFile->text(), QStringLiteral("/sounds/bell.wav"));
    click(*sheet, "soundBrowseButton");
    EXPECT_EQ(soundFile->text(), QStringLiteral("/sounds/bell.wav")) << "a cancelled dialog changes nothing";
    click(*sheet, "playButton");
    EXPECT_EQ(sound.played, QStringList{QStringLiteral("/sounds/bell.wav")});
    soundFile->clear();
    click(*sheet, "playButton");
    EXPECT_EQ(sound.played.size(), 1);

    sheet->setCurrentPage(CMyPropertySheet::FilteringPage);
    auto *dead = child<QLineEdit>(*sheet, "deadFileEdit");
    EXPECT_EQ(dead->text(), appDataDir() + QStringLiteral("outfiltered.txt"));
    prompter.fileNames = {QStringLiteral("/logs/held")};
    click(*sheet, "deadBrowseButton");
    EXPECT_EQ(dead->text(), QStringLiteral("/logs/held.txt"));
    click(*sheet, "viewButton");
    EXPECT_EQ(shell.urls, QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/logs/held.txt"))});

    sheet->setCurrentPage(CMyPropertySheet::EMailPage);
    click(*sheet, "runButton");
    EXPECT_TRUE(shell.commandLines.isEmpty());
    child<QLineEdit>(*sheet, "emailProgramEdit")->setText(QStringLiteral("mailer --inbox"));
    click(*sheet, "runButton");
    EXPECT_EQ(shell.commandLines, QStringList{QStringLiteral("mailer --inbox")});
}

TEST_F(CMyPropertySheetTest, InterfaceChoicesAreWrittenIncludingNotifications)
{
    auto sheet = openSheet(CMyPropertySheet::InterfacePage);
    child<QRadioButton>(*sheet, "minimizeRadio")->click();
    child<QCheckBox>(*sheet, "notifyCheck")->click();
    child<QCheckBox>(*sheet, "storeAndLoadCheck")->click();
    click(*sheet, "okButton");
    EXPECT_EQ(settings.get(keys::CloseAsk), 1);
    EXPECT_EQ(settings.get(keys::Notify), 0);
    EXPECT_EQ(settings.get(keys::StoreAndLoad), 1);
}

TEST_F(CMyPropertySheetTest, StartAtLogInWritesAndRemovesTheAutostartEntryOnOkOnly)
{
    const QString entry = homePath() + QStringLiteral("/config/autostart/tarquel-messenger.desktop");
    auto sheet = openSheet();
    auto *startAtLogIn = child<QCheckBox>(*sheet, "startAtLoginCheck");
    EXPECT_FALSE(startAtLogIn->isChecked());
    QTest::mouseClick(startAtLogIn, Qt::LeftButton);
    click(*sheet, "okButton");
    // Run from a build folder, the entry names the program by its full path.
    const QByteArray exec =
        "\nExec=" + QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath().toUtf8() + " --minimized\n";
    EXPECT_TRUE(test::readFile(entry).contains(exec)) << test::readFile(entry).toStdString();

    sheet = openSheet();
    startAtLogIn = child<QCheckBox>(*sheet, "startAtLoginCheck");
    EXPECT_TRUE(startAtLogIn->isChecked()) << "the entry on disk is what the page shows";
    QTest::mouseClick(startAtLogIn, Qt::LeftButton);
    click(*sheet, "cancelButton");
    EXPECT_TRUE(QFile::exists(entry));

    sheet = openSheet();
    QTest::mouseClick(child<QCheckBox>(*sheet, "startAtLoginCheck"), Qt::LeftButton);
    click(*sheet, "okButton");
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(prompter.boxes.isEmpty());

    // A file where the autostart folder should be: the user is told, and nothing is left.
    ASSERT_TRUE(QDir(homePath() + QStringLiteral("/config/autostart")).removeRecursively());
    ASSERT_TRUE(test::writeFile(homePath() + QStringLiteral("/config/autostart"), "not a folder"));
    sheet = openSheet();
    startAtLogIn = child<QCheckBox>(*sheet, "startAtLoginCheck");
    QTest::mouseClick(startAtLogIn, Qt::LeftButton);
    click(*sheet, "okButton");
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Exclamation);
    EXPECT_TRUE(prompter.boxes[0].text.contains(entry)) << prompter.boxes[0].text.toStdString();
    EXPECT_FALSE(startAtLogIn->isChecked());
}

} // namespace
} // namespace tq
