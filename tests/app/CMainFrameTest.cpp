#include "addressbook/DestinationComboBox.h"
#include "app/PowerNoticeWindow.h"
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "protocol/MessagePacket.h"

#include "app/MainFrameFixture.h"

#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace tq {
namespace {

using CMainFrameTest = test::MainFrameFixture;

TEST_F(CMainFrameTest, TheListenerRunsOnceAndStopsOrSaysThePortIsBusy)
{
    auto frame = runningFrameOnOwnPort();
    const QString listening = QStringLiteral("TCP port %1 listening").arg(port);
    const auto isListening = [&] { return frame->listenerStatusText() == listening; };
    EXPECT_TRUE(test::waitUntil(isListening)) << frame->listenerStatusText().toStdString();
    frame->StartProcesses();
    EXPECT_TRUE(test::waitUntil(isListening));
    frame->StopProcesses();
    EXPECT_FALSE(accepts()) << "a second start left a listener behind";

    // TCP alone: the second frame's UDP port would be busy too, and its report could come last.
    settings.set(keys::UseProtocol, 0);
    frame->StartProcesses();
    ASSERT_TRUE(test::waitUntil([&] { return accepts(); }));
    auto second = makeFrame();
    second->StartProcesses();
    const QString busy = QStringLiteral("TCP port %1 is busy! Receiving don't possibly!").arg(port);
    EXPECT_TRUE(test::waitUntil([&] { return second->listenerStatusText() == busy; }))
        << second->listenerStatusText().toStdString();
}

TEST_F(CMainFrameTest, UdpOnlyStartsNoTcpListener)
{
    settings.set(keys::UseProtocol, 1);
    auto frame = makeFrame();
    frame->StartProcesses();
    EXPECT_EQ(frame->tcpReceiver(), nullptr);
    EXPECT_FALSE(accepts());
}

TEST_F(CMainFrameTest, CloseAskZeroAsksAndNoKeepsEverythingRunning)
{
    auto frame = runningFrame();
    frame->move(123, 77);
    prompter.answers = {Prompter::Answer::No};
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].defaultAnswer, Prompter::Answer::No);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(accepts());
    EXPECT_EQ(settings.get(keys::HorizPos), frame->normalGeometry().left()) << "placement saved before asking";

    prompter.answers = {Prompter::Answer::Yes};
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(frame->hasEnded());
    EXPECT_FALSE(frame->isExiting()) << "only Exit sets the exiting flag";
    EXPECT_FALSE(accepts());
}

TEST_F(CMainFrameTest, CloseAskOneGoesToTheTrayWhoseMenuOpensOnTheRightButtonAndRestoreOnTheLeft)
{
    settings.set(keys::CloseAsk, 1);
    auto frame = runningFrame();
    EXPECT_EQ(tray.contextMenu, frame->trayMenu());
    EXPECT_EQ(frame->trayMenu()->defaultAction(), action(*frame, "actionRestore"));
    EXPECT_FALSE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(accepts()) << "still running in the tray";
    tray.activate(TrayIcon::Activation::Context);
    EXPECT_FALSE(frame->isVisible());
    tray.activate(TrayIcon::Activation::Click);
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(CMainFrameTest, PlacementAndBarsAreSavedOnExitEvenMinimisedAndRestoredAtTheNextStart)
{
    {
        auto frame = makeFrame();
        frame->setGeometry(140, 90, 420, 520);
        frame->show();
        frame->addToolBar(Qt::LeftToolBarArea, frame->toolBar());
        action(*frame, "actionStatusBar")->trigger();
        tray.available = false;
        frame->minimizeToTray();
        frame->OnExit();
    }
    EXPECT_EQ(settings.get(keys::HorizPos), 140);
    EXPECT_EQ(settings.get(keys::Height), 520);
    auto next = makeFrame();
    EXPECT_EQ(next->geometry(), QRect(140, 90, 420, 520));
    next->show();
    EXPECT_EQ(next->toolBarArea(next->toolBar()), Qt::LeftToolBarArea);
    EXPECT_TRUE(next->toolBar()->isVisible());
    EXPECT_FALSE(next->statusBar()->isVisible());
    EXPECT_FALSE(action(*next, "actionStatusBar")->isChecked());
}

TEST_F(CMainFrameTest, SuspendStopsTheListenerAndResumeStartsItAgain)
{
    auto frame = runningFrameOnOwnPort();
    frame->OnSuspend();
    EXPECT_FALSE(accepts());
    ASSERT_NE(frame->powerNotice(), nullptr);
    EXPECT_TRUE(frame->powerNotice()->isVisible());
    frame->OnResume();
    EXPECT_TRUE(test::waitUntil([&] { return accepts(); }));
    EXPECT_TRUE(test::waitUntil([&] { return !frame->powerNotice()->isVisible(); }, 10000))
        << "the notice closes by itself";
}

TEST_F(CMainFrameTest, ASendsOutcomeReachesTheFramesHandlerAndStopsTheTimer)
{
    auto frame = makeFrame();
    frame->initialUpdate();
    CTq20View &view = *frame->view();
    settings.set(keys::Delay, 1500);
    settings.set(keys::SystemName, QStringLiteral("ANNPC"));
    view.station().reloadSettings();
    // A port nobody listens on: the send ends with one failed destination.
    view.destinationBox()->setEditText(QStringLiteral("127.0.0.1:%1").arg(test::unusedTcpPort()));
    view.composeBox()->setPlainText(QStringLiteral("hello"));
    view.SendOutgoing('0');

    ASSERT_TRUE(test::waitUntil([&] { return !prompter.boxes.isEmpty(); }, 10000));
    EXPECT_EQ(prompter.boxes.last().caption, QStringLiteral("1 host(s) not found!"));
    EXPECT_EQ(frame->statusPane(0)->text(), QStringLiteral("Message has NOT been send to some host!"));
    const QString shownTime = frame->statusPane(1)->text();
    QTest::qWait(60);
    EXPECT_EQ(frame->statusPane(1)->text(), shownTime) << "the elapsed time stops with the report";
}

TEST_F(CMainFrameTest, AnArrivalWhileTheWindowIsAwayIsAnnouncedOnTheTray)
{
    settings.set(keys::StoreAndLoad, 0);
    auto frame = makeFrame();
    frame->initialUpdate();
    const QByteArray packet =
        BuildStreamPacket({{}, "Message from Ann to Bob.\r\n\r\nHello", "ANNPC", '0', {}}, "10.0.0.7", 7010);
    frame->station().OnIncomingMessage(Transport::Tcp, {quint32(packet.size()), "10.0.0.7", packet});
    ASSERT_TRUE(test::waitUntil([&] { return !tray.messages.isEmpty(); }));
    EXPECT_EQ(tray.messages.last().text, QStringLiteral("Message from Ann to Bob."));
}

} // namespace
} // namespace tq
