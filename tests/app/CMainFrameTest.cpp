#include "app/CMainFrame.h"
#include "app/PowerNoticeWindow.h"
#include "messages/CTq20View.h"
#include "settings/SettingsStore.h"

#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/ManualClock.h"
#include "support/QtPrinters.h"
#include "support/RecordingPrompter.h"
#include "support/RecordingSoundPlayer.h"
#include "support/RecordingTrayIcon.h"
#include "support/SignalWaiter.h"

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace tq {
namespace {

class CMainFrameTest : public test::IsolatedHome {
protected:
    CMainFrameTest() { settings.set(keys::TcpPort, port); }

    std::unique_ptr<CMainFrame> makeFrame()
    {
        return std::make_unique<CMainFrame>(settings, prompter, sound, tray, clock);
    }
    // A frame that runs and listens, as after start-up.
    std::unique_ptr<CMainFrame> runningFrame()
    {
        auto frame = makeFrame();
        frame->show();
        frame->initialUpdate();
        EXPECT_TRUE(test::waitUntil([&] { return isListening(*frame); })) << frame->listenerStatusText().toStdString();
        return frame;
    }
    bool isListening(const CMainFrame &frame) const
    {
        return frame.listenerStatusText() == QStringLiteral("TCP port %1 listening").arg(port);
    }
    bool portAccepts() const { return test::connectLoopback(port, "127.0.0.1", 300).valid(); }

    const int port = test::unusedTcpPort();
    SettingsStore settings;
    test::RecordingPrompter prompter;
    test::RecordingSoundPlayer sound;
    test::RecordingTrayIcon tray;
    test::ManualClock clock;
};

TEST_F(CMainFrameTest, StatusBarShowsTheListeningPortAndStopClosesIt)
{
    auto frame = runningFrame();
    EXPECT_TRUE(portAccepts());
    frame->StopProcesses();
    EXPECT_FALSE(portAccepts());
}

TEST_F(CMainFrameTest, StatusBarSaysWhenThePortIsBusy)
{
    // TCP alone: the second frame's UDP port would be busy too, and its report could come last.
    settings.set(keys::UseProtocol, 0);
    auto first = runningFrame();
    auto second = makeFrame();
    second->StartProcesses();
    const QString expected = QStringLiteral("TCP port %1 is busy! Receiving don't possibly!").arg(port);
    EXPECT_TRUE(test::waitUntil([&] { return second->listenerStatusText() == expected; }))
        << second->listenerStatusText().toStdString();
}

TEST_F(CMainFrameTest, UdpOnlyStartsNoTcpListener)
{
    settings.set(keys::UseProtocol, 1);
    auto frame = makeFrame();
    frame->StartProcesses();
    EXPECT_EQ(frame->tcpReceiver(), nullptr);
    EXPECT_FALSE(portAccepts());
}

TEST_F(CMainFrameTest, StartingTwiceLeavesOneListener)
{
    auto frame = runningFrame();
    frame->StartProcesses();
    EXPECT_TRUE(test::waitUntil([&] { return isListening(*frame); }));
    frame->StopProcesses();
    EXPECT_FALSE(portAccepts());
}

TEST_F(CMainFrameTest, CloseAskTwoEndsAndStopsTheListener)
{
    settings.set(keys::CloseAsk, 2);
    auto frame = runningFrame();
    QSignalSpy ended(frame.get(), &CMainFrame::ended);
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(ended.size(), 1);
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_FALSE(portAccepts());
    EXPECT_FALSE(tray.shown);
    EXPECT_FALSE(frame->isExiting()) << "only Exit sets the exiting flag";
}

TEST_F(CMainFrameTest, CloseAskZeroAsksAndNoKeepsEverythingRunning)
{
    auto frame = runningFrame();
    frame->move(123, 77);
    prompter.answers = { Prompter::Answer::No };
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Close Tarquel Messenger?"));
    EXPECT_EQ(prompter.boxes[0].text,
        QStringLiteral("Do you wish close Tarquel Messenger\r\nand stop receiving messages from your friends?"));
    EXPECT_EQ(prompter.boxes[0].defaultAnswer, Prompter::Answer::No);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(frame->hasEnded());
    EXPECT_TRUE(portAccepts());
    EXPECT_EQ(settings.get(keys::HorizPos), frame->normalGeometry().left()) << "placement saved before asking";

    prompter.answers = { Prompter::Answer::Yes };
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(frame->hasEnded());
    EXPECT_FALSE(portAccepts());
}

TEST_F(CMainFrameTest, CloseAskOneGoesToTheTrayAndTheIconBringsItBack)
{
    settings.set(keys::CloseAsk, 1);
    auto frame = runningFrame();
    EXPECT_FALSE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(portAccepts()) << "still running in the tray";
    tray.activate(TrayIcon::Activation::Click);
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(CMainFrameTest, EscapeMinimisesOnlyAsFarAsThereIsAWayBack)
{
    auto frame = runningFrame();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_Escape);
    EXPECT_FALSE(frame->isVisible());
    Q_EMIT frame->view()->restoreRequested();
    EXPECT_TRUE(frame->isVisible());

    tray.available = false;
    frame->minimizeToTray();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->isMinimized());
    frame->restoreFromTray();
    EXPECT_FALSE(frame->isMinimized());
}

TEST_F(CMainFrameTest, ExitRemovesTheTrayIconStopsAndCloses)
{
    auto frame = runningFrame();
    QSignalSpy ended(frame.get(), &CMainFrame::ended);
    frame->findChild<QAction *>(QStringLiteral("actionExit"))->trigger();
    EXPECT_EQ(ended.size(), 1);
    EXPECT_TRUE(frame->isExiting());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(tray.shown);
    EXPECT_FALSE(portAccepts());
    EXPECT_TRUE(prompter.boxes.isEmpty()) << "Exit does not ask";
}

TEST_F(CMainFrameTest, PlacementIsSavedOnExitAndRestoredAtTheNextStart)
{
    {
        auto frame = makeFrame();
        frame->setGeometry(140, 90, 420, 520);
        frame->show();
        frame->OnExit();
    }
    EXPECT_EQ(settings.get(keys::HorizPos), 140);
    EXPECT_EQ(settings.get(keys::VertPos), 90);
    EXPECT_EQ(settings.get(keys::Width), 420);
    EXPECT_EQ(settings.get(keys::Height), 520);
    auto next = makeFrame();
    EXPECT_EQ(next->geometry(), QRect(140, 90, 420, 520));
}

TEST_F(CMainFrameTest, PlacementKeepsTheNormalRectangleWhileMinimised)
{
    auto frame = makeFrame();
    frame->setGeometry(60, 70, 400, 300);
    frame->show();
    tray.available = false;
    frame->minimizeToTray();
    frame->saveWindowPlacement();
    EXPECT_EQ(settings.get(keys::HorizPos), 60);
    EXPECT_EQ(settings.get(keys::Width), 400);
}

TEST_F(CMainFrameTest, SuspendStopsTheListenerAndResumeStartsItAgain)
{
    auto frame = runningFrame();
    frame->OnSuspend();
    EXPECT_FALSE(portAccepts());
    ASSERT_NE(frame->powerNotice(), nullptr);
    EXPECT_TRUE(frame->powerNotice()->isVisible());
    EXPECT_EQ(frame->powerNotice()->text(),
        QStringLiteral("Tarquel Messenger is preparing to go suspend.\nStopping active processes..."));

    frame->OnResume();
    EXPECT_EQ(frame->powerNotice()->text(),
        QStringLiteral("Tarquel Messenger is resume after suspend.\nStarting background processes..."));
    EXPECT_TRUE(test::waitUntil([&] { return portAccepts(); }));
    EXPECT_TRUE(test::waitUntil([&] { return !frame->powerNotice()->isVisible(); }, 10000))
        << "the notice closes by itself";
}

} // namespace
} // namespace tq
