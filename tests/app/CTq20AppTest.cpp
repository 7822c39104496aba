#include "app/CTq20App.h"

#include "app/MainFrameFixture.h"

#include "res/StringTable.h"

#include <QSignalSpy>
#include <QStatusBar>
#include <QSysInfo>

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

} // namespace
} // namespace tq
