#include "addressbook/AddressBookStore.h"
#include "addressbook/DestinationComboBox.h"
#include "app/AboutDialog.h"
#include "messages/CTq20View.h"
#include "prefs/CMyPropertySheet.h"

#include "app/MainFrameFixture.h"
#include "support/Files.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <algorithm>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using Fixture = test::MainFrameFixture;
class CMainFrameCommandsTest : public Fixture { };

QStringList itemTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *item : menu->actions())
        texts.append(item->isSeparator() ? QStringLiteral("-") : item->text());
    return texts;
}

TEST_F(CMainFrameCommandsTest, MenusHoldEveryItemWithItsShortcutText)
{
    auto frame = makeFrame();
    QList<QMenu *> menus;
    QStringList titles;
    for (QAction *item : frame->menuBar()->actions()) {
        menus.append(item->menu());
        titles.append(item->text());
    }
    EXPECT_EQ(titles, (QStringList{u"&Message"_s, u"&Edit"_s, u"&View"_s, u"&Help"_s}));
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(
        itemTexts(menus[0]),
        (QStringList{u"&Send message"_s, u"Send as &high importance message "_s, u"-"_s, u"&Previous\tAlt+Left Arrow"_s,
                     u"&Next\tAlt+Right Arrow"_s, u"&Delete\tAlt+Del"_s, u"-"_s, u"&Add sender to..."_s,
                     u"D&iscard all messages\tShift+Alt+Del"_s, u"-"_s, u"&Find Stations..."_s, u"-"_s, u"E&xit"_s}));
    EXPECT_EQ(itemTexts(menus[1]),
              (QStringList{u"&Undo\tCtrl+Z"_s, u"-"_s, u"Cu&t\tCtrl+X"_s, u"&Copy\tCtrl+C"_s, u"&Paste\tCtrl+V"_s,
                           u"-"_s, u"Select &All\tCtrl+A"_s}));
    EXPECT_EQ(itemTexts(menus[2]),
              (QStringList{u"&Toolbar"_s, u"&Status Bar"_s, u"-"_s, u"Address &Book..."_s, u"&History\tCtrl+H"_s,
                           u"&Waiting Messages"_s, u"&Preferences..."_s, u"-"_s, u"P&op up on message receipt"_s}));
    EXPECT_EQ(itemTexts(menus[3]),
              (QStringList{u"&Contents and Index\tF1"_s, u"-"_s, u"&Visit Tarquel Messenger Web Site"_s, u"-"_s,
                           u"&About TarquelMessenger..."_s}));
    // The message commands are the view's own, so choosing them runs the view's handlers.
    using C = CTq20View::Command;
    EXPECT_EQ(menus[0]->actions().at(3), frame->view()->action(C::Previous));
    EXPECT_EQ(menus[0]->actions().at(0), frame->view()->action(C::Send));
    EXPECT_EQ(menus[2]->actions().at(8), frame->view()->action(C::PopupOnReceipt));
}

TEST_F(CMainFrameCommandsTest, EveryAcceleratorBelongsToExactlyOneCommand)
{
    auto frame = makeFrame();
    const std::pair<const char *, const char *> table[] = {
        {"Ctrl+A", "actionSelectAll"},   {"Alt+Del", "actionDelete"},
        {"Shift+Del", "actionCut"},      {"Shift+Alt+Del", "actionDiscardAll"},
        {"Esc", "actionMinimizeToTray"}, {"F1", "actionHelpContents"},
        {"Ctrl+Ins", "actionCopy"},      {"Shift+Ins", "actionPaste"},
        {"Alt+Left", "actionPrevious"},  {"Alt+Return", "actionSend"},
        {"Alt+Right", "actionNext"},     {"Ctrl+X", "actionCut"},
        {"Ctrl+Z", "actionUndo"},        {"Ctrl+V", "actionPaste"},
    };
    for (const auto &[text, name] : table) {
        const QKeySequence keys(QString::fromLatin1(text));
        QStringList owners;
        for (const QAction *candidate : frame->findChildren<QAction *>()) {
            if (candidate->shortcuts().contains(keys))
                owners.append(candidate->objectName());
        }
        EXPECT_EQ(owners, QStringList{QLatin1String(name)}) << text;
    }
}

TEST_F(CMainFrameCommandsTest, FrameCommandsDoWhatTheirItemsSayAndExitStopsWithoutAsking)
{
    auto frame = runningFrame();
    action(*frame, "actionPreferences")->trigger();
    EXPECT_NE(frame->preferencesSheet(), nullptr);
    frame->preferencesSheet()->reject();
    action(*frame, "actionAbout")->trigger();
    EXPECT_NE(frame->aboutBox(), nullptr);
    frame->aboutBox()->accept();
    action(*frame, "actionVisitWebSite")->trigger();
    EXPECT_EQ(shell.urls.value(0), QUrl(QStringLiteral("http://www.tarquel.com")));
    action(*frame, "actionToolbar")->trigger();
    EXPECT_FALSE(frame->toolBar()->isVisible());
    action(*frame, "actionStatusBar")->trigger();
    EXPECT_FALSE(frame->statusBar()->isVisible());
    QSignalSpy ended(frame.get(), &CMainFrame::ended);
    action(*frame, "actionExit")->trigger();
    EXPECT_EQ(ended.size(), 1);
    EXPECT_TRUE(frame->isExiting());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(tray.shown) << "the tray icon goes";
    EXPECT_FALSE(accepts());
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(CMainFrameCommandsTest, F1OpensTheHelpPagesOrSaysTheyAreMissing)
{
    auto frame = makeFrame();
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_F1);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_TRUE(prompter.boxes[0].text.contains(QStringLiteral("Reinstall")));
    EXPECT_TRUE(shell.urls.isEmpty());

    const QString index = helpFolder() + QStringLiteral("/index.html");
    ASSERT_TRUE(test::writeFile(index, {}));
    QTest::keyClick(frame.get(), Qt::Key_F1);
    EXPECT_EQ(shell.urls.value(0), QUrl::fromLocalFile(index));
    EXPECT_EQ(prompter.boxes.size(), 1);

    // The pages are there but no program shows them: the user is told so, with the file to
    // open, and not sent to reinstall.
    shell.succeed = false;
    QTest::keyClick(frame.get(), Qt::Key_F1);
    ASSERT_EQ(prompter.boxes.size(), 2);
    const QString text = prompter.boxes[1].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("No program to show web pages was found."))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QFileInfo(index).absoluteFilePath())) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Reinstall")));
}

TEST_F(CMainFrameCommandsTest, ASecondPreferencesDoesNothingAndMailSettingsTurnsToTheEMailPage)
{
    auto frame = makeFrame();
    frame->show();
    frame->OnPreferences();
    CMyPropertySheet *sheet = frame->preferencesSheet();
    ASSERT_NE(sheet, nullptr);
    sheet->setCurrentPage(CMyPropertySheet::InterfacePage);
    // The tray menu stays usable while the sheet is up.
    const QList<QAction *> trayItems = frame->trayMenu()->actions();
    const auto trayPreferences = std::find_if(trayItems.begin(), trayItems.end(), [](const QAction *item) {
        return item->objectName() == QStringLiteral("actionPreferences");
    });
    ASSERT_NE(trayPreferences, trayItems.end());
    (*trayPreferences)->trigger();
    EXPECT_EQ(frame->preferencesSheet(), sheet);
    EXPECT_EQ(sheet->currentPage(), CMyPropertySheet::InterfacePage);
    action(*frame, "actionMailSettings")->trigger();
    EXPECT_EQ(sheet->currentPage(), CMyPropertySheet::EMailPage) << "an open sheet turns to its E-mail page";
    sheet->reject();
    EXPECT_EQ(frame->preferencesSheet(), nullptr);

    action(*frame, "actionMailSettings")->trigger();
    ASSERT_NE(frame->preferencesSheet(), nullptr);
    EXPECT_EQ(frame->preferencesSheet()->currentPage(), CMyPropertySheet::EMailPage);
    frame->preferencesSheet()->reject();
    frame->OnPreferences();
    ASSERT_NE(frame->preferencesSheet(), nullptr);
    EXPECT_EQ(frame->preferencesSheet()->currentPage(), CMyPropertySheet::GeneralPage);
}

TEST_F(CMainFrameCommandsTest, EscapeHidesTheWindowOnlyWhenATrayCanBringItBack)
{
    for (const bool trayAvailable : {true, false}) {
        tray.available = trayAvailable;
        auto frame = makeFrame();
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame.get(), Qt::Key_Escape);
        EXPECT_EQ(frame->isVisible(), !trayAvailable);
        EXPECT_EQ(frame->isMinimized(), !trayAvailable);
        action(*frame, "actionRestore")->trigger();
        EXPECT_TRUE(frame->isVisible());
        EXPECT_FALSE(frame->isMinimized());
    }
}

TEST_F(CMainFrameCommandsTest, AboutShowsOnceAndOpensItsLinks)
{
    auto frame = makeFrame();
    frame->show();
    action(*frame, "actionTrayAbout")->trigger();
    AboutDialog *about = frame->aboutBox();
    ASSERT_NE(about, nullptr);
    action(*frame, "actionAbout")->trigger();
    EXPECT_EQ(frame->findChildren<AboutDialog *>().size(), 1);
    Q_EMIT about->mailLink()->linkActivated(QStringLiteral("mailto:support@tarquel.com"));
    EXPECT_EQ(shell.urls, QList<QUrl>{QUrl(QStringLiteral("mailto:support@tarquel.com"))});
    QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    EXPECT_TRUE(test::waitUntil([&] { return frame->aboutBox() == nullptr; }));
}

TEST_F(CMainFrameCommandsTest, AddressBookRunsOnceAtATimeAndAfterAChangeTheDestinationListShowsIt)
{
    auto frame = makeFrame();
    frame->initialUpdate();
    const auto *box = frame->view()->destinationBox();
    EXPECT_FALSE(action(*frame, "actionAddressBook")->isEnabled()) << "no dialog to run yet";
    QSignalSpy changed(frame.get(), &CMainFrame::addressBookChanged);
    int runs = 0;
    bool result = false;
    frame->setAddressBookDialog([&](QWidget *owner) {
        ++runs;
        EXPECT_EQ(owner, frame.get());
        frame->OnAddressBook(); // from the tray menu while the dialog is up
        if (result)
            AddressBookStore(settings).PutUser(QString(), QStringLiteral("Carol"), QStringLiteral("10.0.0.9"));
        return result;
    });
    EXPECT_TRUE(action(*frame, "actionAddressBook")->isEnabled());
    action(*frame, "actionAddressBook")->trigger();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(changed.size(), 0) << "cancelled";
    result = true;
    frame->OnAddressBook();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_NE(box->findText(QStringLiteral("Carol/10.0.0.9")), -1);
}

TEST_F(CMainFrameCommandsTest, OkRestartsTheReceiversOnAChangedPortAndCancelRestartsNothing)
{
    auto frame = runningFrameOnOwnPort();
    const int protocol = settings.get(keys::UseProtocol);
    settings.set(keys::UseProtocol, 1);
    frame->OnPreferences();
    frame->preferencesSheet()->reject();
    EXPECT_TRUE(accepts()) << "Cancel restarted the listener without TCP";
    settings.set(keys::UseProtocol, protocol);

    const int newPort = test::unusedTcpPort();
    frame->OnPreferences();
    CMyPropertySheet *sheet = frame->preferencesSheet();
    ASSERT_NE(sheet, nullptr);
    auto *portEdit = sheet->findChild<QLineEdit *>(QStringLiteral("portEdit"));
    portEdit->selectAll();
    QTest::keyClicks(portEdit, QString::number(newPort));
    prompter.answers = {Prompter::Answer::Yes};
    QTest::mouseClick(sheet->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    EXPECT_EQ(frame->preferencesSheet(), nullptr);
    EXPECT_TRUE(test::waitUntil([&] { return accepts(newPort); }));
    EXPECT_FALSE(accepts());
    EXPECT_TRUE(test::waitUntil([&] { return frame->station().settings().tcpPort == newPort; }))
        << "the station reloads its settings";
}

} // namespace
} // namespace tq
