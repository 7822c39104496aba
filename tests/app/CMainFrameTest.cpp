#include "app/CMainFrame.h"
#include "settings/SettingsStore.h"
#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QLabel>

namespace tq {
namespace {

class CMainFrameTest : public test::IsolatedHome {
protected:
    SettingsStore settings;
};

TEST_F(CMainFrameTest, StatusBarShowsTheListeningPortAndStopClosesIt)
{
    const int port = test::unusedTcpPort();
    settings.set(keys::TcpPort, port);
    CMainFrame frame(settings);
    frame.StartProcesses();
    const QString expected = QStringLiteral("TCP port %1 listening").arg(port);
    ASSERT_TRUE(test::waitUntil([&] { return frame.listenerStatusText() == expected; }))
        << frame.listenerStatusText().toStdString();
    EXPECT_TRUE(test::connectLoopback(port).valid());
    frame.StopProcesses();
    EXPECT_FALSE(test::connectLoopback(port, "127.0.0.1", 300).valid());
}

TEST_F(CMainFrameTest, StatusBarSaysWhenThePortIsBusy)
{
    const int port = test::unusedTcpPort();
    settings.set(keys::TcpPort, port);
    CMainFrame first(settings);
    first.StartProcesses();
    ASSERT_TRUE(test::waitUntil([&] { return !first.listenerStatusText().isEmpty(); }));
    CMainFrame second(settings);
    second.StartProcesses();
    const QString expected = QStringLiteral("TCP port %1 is busy! Receiving don't possibly!").arg(port);
    EXPECT_TRUE(test::waitUntil([&] { return second.listenerStatusText() == expected; }))
        << second.listenerStatusText().toStdString();
}

TEST_F(CMainFrameTest, UdpOnlyStartsNoTcpListener)
{
    const int port = test::unusedTcpPort();
    settings.set(keys::TcpPort, port);
    settings.set(keys::UseProtocol, 1);
    CMainFrame frame(settings);
    frame.StartProcesses();
    QThread::msleep(100);
    EXPECT_FALSE(test::connectLoopback(port, "127.0.0.1", 300).valid());
}

} // namespace
} // namespace tq
