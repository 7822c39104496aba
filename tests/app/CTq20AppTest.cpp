#include "app/CTq20App.h"

#include "addressbook/DestinationComboBox.h"
#include "app/MainFrameFixture.h"
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "platform/SystemIdentity.h"
#include "protocol/ListeningStation.h"
#include "station/MessageStation.h"
#include "support/Files.h"

#include <QFileInfo>

#include "res/StringTable.h"

#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSysInfo>
#include <QTest>

#include <csignal>

namespace tq {
namespace {

class CTq20AppTest : public test::MainFrameFixture {
protected:
    AppServices services() { return {&prompter, &sound, &tray, &clock}; }
};

TEST_F(CTq20AppTest, FirstStartWritesTheNamesAndListensAndCloseAskTwoEndsTheProgramAndTheListener)
{
    CTq20App app({}, services());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.settings().get(keys::FirstStart), 1);
    EXPECT_FALSE(app.settings().get(keys::FullName).isEmpty());
    EXPECT_EQ(app.settings().get(keys::SystemName), QSysInfo::machineHostName());
    EXPECT_TRUE(app.mainFrame()->isVisible());
    EXPECT_TRUE(tray.shown);
    ASSERT_TRUE(test::waitUntil([&] { return accepts(); }));

    app.settings().set(keys::CloseAsk, 2);
    QSignalSpy ended(&app, &CTq20App::ended);
    app.mainFrame()->close();
    EXPECT_EQ(ended.size(), 1);
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_FALSE(accepts());
}

TEST_F(CTq20AppTest, ASecondLaunchRestoresTheFirstWindowAndEnds)
{
    CTq20App first({}, services());
    ASSERT_TRUE(first.InitInstance());
    first.mainFrame()->minimizeToTray();
    ASSERT_FALSE(first.mainFrame()->isVisible());

    test::RecordingTrayIcon secondTray;
    CTq20App second({}, {&prompter, &sound, &secondTray, &clock});
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(second.mainFrame(), nullptr) << "the second process creates nothing";
    EXPECT_FALSE(secondTray.shown);
    EXPECT_TRUE(test::waitUntil([&] { return first.mainFrame()->isVisible(); }));
}

TEST_F(CTq20AppTest, LaunchedMinimisedShowsOnlyTheTrayIconOrAMinimisedWindow)
{
    {
        CTq20App app({true}, services());
        ASSERT_TRUE(app.InitInstance());
        EXPECT_FALSE(app.mainFrame()->isVisible());
        EXPECT_TRUE(tray.shown);
        tray.activate(TrayIcon::Activation::Click);
        EXPECT_TRUE(app.mainFrame()->isVisible());
    }
    tray.available = false;
    CTq20App app({true}, services());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(app.mainFrame()->isVisible());
    EXPECT_TRUE(app.mainFrame()->isMinimized());
}

TEST_F(CTq20AppTest, WithoutATrayTheFirstStartSaysOnceWhyTheWindowStaysInTheTaskBar)
{
    {
        CTq20App app({}, services());
        ASSERT_TRUE(app.InitInstance());
        EXPECT_TRUE(tray.messages.isEmpty()) << "a desktop with a tray hears nothing about it";
        EXPECT_EQ(app.settings().get(keys::NoTrayNoticeShown), 0);
    }
    tray.available = false;
    {
        CTq20App app({true}, services());
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(app.mainFrame()->statusBar()->currentMessage(), tqString(Sid::NoTrayStatus));
        ASSERT_EQ(tray.messages.size(), 1);
        EXPECT_EQ(tray.messages[0].text, tqString(Sid::NoTrayNotice));
        EXPECT_TRUE(tray.messages[0].text.contains(QStringLiteral("gnome-shell-extension-appindicator")));
    }
    CTq20App again({true}, services());
    ASSERT_TRUE(again.InitInstance());
    EXPECT_TRUE(again.mainFrame()->statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(tray.messages.size(), 1) << "said once";
}

TEST_F(CTq20AppTest, ATerminatingSignalDuringStartUpEndsTheProgramAsExitDoes)
{
    // SIGTERM right after the listener has opened, while start-up is still under way, as a
    // session that ends at once (or a service manager) sends it.
    struct SignallingTray : test::RecordingTrayIcon {
        void show() override
        {
            RecordingTrayIcon::show();
            if (!raised) {
                raised = true;
                std::raise(SIGTERM);
            }
        }
        bool raised = false;
    } signallingTray;
    CTq20App app({}, {&prompter, &sound, &signallingTray, &clock});
    QSignalSpy ended(&app, &CTq20App::ended);
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(signallingTray.raised);
    EXPECT_TRUE(test::waitUntil([&] { return ended.size() == 1; }));
    EXPECT_FALSE(accepts()) << "the listener is closed";
}

// A brand-new user: nothing stored yet, not even the settings file.
class FirstRunTest : public test::IsolatedHome {
protected:
    test::RecordingPrompter prompter;
    test::RecordingSoundPlayer sound;
    test::RecordingTrayIcon tray;
    test::ManualClock clock;
};

TEST_F(FirstRunTest, TheFirstMessageReachesAStationAsANormalMessageFromTheComputer)
{
    ASSERT_FALSE(QFile::exists(homePath() + QStringLiteral("/config/Tarquel International/TarquelMessenger.conf")));
    test::ListeningStation station;
    CTq20App app({}, {&prompter, &sound, &tray, &clock});
    ASSERT_TRUE(app.InitInstance());
    // Receiving plays no part here, and the default port is not this test's to hold.
    app.mainFrame()->StopProcesses();
    const QString fullName = app.settings().get(keys::FullName);
    ASSERT_FALSE(fullName.isEmpty());

    CTq20View *view = app.mainFrame()->view();
    const QString destination = QStringLiteral("Bob/") + station.address();
    view->destinationBox()->setEditText(destination);
    view->composeBox()->setFocus();
    QTest::keyClicks(view->composeBox(), QStringLiteral("hello"));
    view->sendButton()->click();
    ASSERT_TRUE(test::waitUntil([&] { return !station.packets.isEmpty(); }));

    // The station's own incoming road takes it as a message and stores it under the name of
    // this computer, not as something non-standard.
    const QString stationFolder = homePath() + QStringLiteral("/station/");
    ASSERT_TRUE(QDir().mkpath(stationFolder + QStringLiteral("messages")));
    SettingsStore stationSettings(stationFolder + QStringLiteral("settings.conf"));
    stationSettings.set(keys::StoreAndLoad, 1);
    test::RecordingSoundPlayer stationSound;
    MessageStation other(stationSettings, stationSound, clock, stationFolder);
    const QByteArray packet = station.packets[0];
    other.OnIncomingMessage(Transport::Tcp, {quint32(packet.size()), "127.0.0.1", packet});
    other.flushFiles();

    ASSERT_EQ(other.messages().count(), 1u) << "accepted";
    const MessageRecord &stored = *other.messages().newest();
    EXPECT_TRUE(stored.sender.startsWith(computerName().toUtf8() + '/')) << stored.sender.constData();
    EXPECT_TRUE(stored.text.endsWith("\r\nMessage from " + fullName.toUtf8() + " to " + destination.toUtf8()
                                     + ".\r\n\r\nhello"))
        << stored.text.constData();
    EXPECT_TRUE(stored.filePath.endsWith(computerName() + QStringLiteral(".tqm")) && QFile::exists(stored.filePath))
        << stored.filePath.toStdString();
}

TEST_F(CTq20AppTest, AnUnusableSettingsFileIsToldOnceAndNeverWrittenOver)
{
    const QString path = SettingsStore::defaultFilePath();
    const QByteArray notSettings("\x89PNG\r\n\x1a\n\0\0\0\rIHDR [not settings\xff\xfe", 28);
    const auto isTheNotice = [&](const test::RecordingPrompter::Box &box) {
        return box.text.contains(path) && box.text.contains(QStringLiteral("default"));
    };
    // Not INI at all; then no access to it (a folder in its place).
    for (const bool folder : {false, true}) {
        prompter.boxes.clear();
        QFile::remove(path);
        if (folder)
            ASSERT_TRUE(QDir().mkpath(path));
        else
            ASSERT_TRUE(test::writeFile(path, notSettings));
        {
            CTq20App app({}, services());
            ASSERT_TRUE(app.InitInstance());
            EXPECT_EQ(tcpPort(app.settings()), 7777) << "the defaults are in use";
            ASSERT_TRUE(test::waitUntil(
                [&] { return std::any_of(prompter.boxes.begin(), prompter.boxes.end(), isTheNotice); }));
            // First-run names were written at start; preferences and the placement are written now.
            EXPECT_EQ(app.settings().get(keys::FirstStart), 1);
            app.settings().set(keys::FullName, QStringLiteral("Changed in this run"));
            app.settings().set(keys::CloseAsk, 2);
            app.mainFrame()->close();
        }
        EXPECT_EQ(std::count_if(prompter.boxes.begin(), prompter.boxes.end(), isTheNotice), 1);
        if (folder) {
            EXPECT_TRUE(QFileInfo(path).isDir());
        } else {
            EXPECT_EQ(test::readFile(path), notSettings);
        }
        QDir(path).removeRecursively();
    }
}

} // namespace
} // namespace tq
