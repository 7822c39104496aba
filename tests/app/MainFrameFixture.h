#pragma once

#include "app/CMainFrame.h"
#include "mail/MailCounts.h"
#include "protocol/CReceiveThread.h"
#include "settings/SettingsStore.h"

#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/ManualClock.h"
#include "support/QtPrinters.h"
#include "support/RecordingPrompter.h"
#include "support/RecordingShell.h"
#include "support/RecordingSoundPlayer.h"
#include "support/RecordingTrayIcon.h"
#include "support/SignalWaiter.h"

#include <QAction>
#include <QDir>

#include <memory>

namespace tq::test {

// A main frame on its own loopback port, with recording services and an empty help folder.
class MainFrameFixture : public IsolatedHome {
protected:
    MainFrameFixture()
    {
        settings.set(keys::TcpPort, port);
        MailCounts::process().reset();
        QDir().mkpath(helpFolder());
    }

    std::unique_ptr<CMainFrame> makeFrame()
    {
        auto frame = std::make_unique<CMainFrame>(settings, prompter, sound, tray, clock, appDataDir());
        frame->setShell(shell);
        frame->setHelpFolders({helpFolder()});
        return frame;
    }
    // A frame that runs and listens, as after start-up, on ports the system chose (so that no
    // other program can take them first); its messages name the ports of the settings.
    std::unique_ptr<CMainFrame> runningFrame() { return running(true); }
    // The same on the ports of the settings themselves, for tests of those ports.
    std::unique_ptr<CMainFrame> runningFrameOnOwnPort() { return running(false); }
    std::unique_ptr<CMainFrame> running(bool anyPort)
    {
        auto frame = makeFrame();
        if (anyPort)
            frame->station().overrideListenPorts(0, 0);
        frame->show();
        frame->initialUpdate();
        EXPECT_TRUE(waitUntil([&] { return frame->tcpReceiver() && frame->tcpReceiver()->boundPort() != 0; }))
            << frame->listenerStatusText().toStdString();
        listenPort = frame->tcpReceiver() ? frame->tcpReceiver()->boundPort() : port;
        EXPECT_TRUE(waitUntil([&] { return accepts(); }))
            << frame->listenerStatusText().toStdString() << " port " << listenPort;
        return frame;
    }
    QString helpFolder() const { return homePath() + QStringLiteral("/help"); }
    static QAction *action(const CMainFrame &frame, const char *name)
    {
        QAction *found = frame.findChild<QAction *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Whether a listener takes connections on `other`, or else on the port the running frame
    // listened on.
    bool accepts(int other = 0) const { return connectLoopback(other ? other : listenPort, "127.0.0.1", 300).valid(); }

    // The TCP port of the settings.
    const int port = test::unusedTcpPort();
    int listenPort = port;
    SettingsStore settings;
    RecordingPrompter prompter;
    RecordingSoundPlayer sound;
    RecordingTrayIcon tray;
    RecordingShell shell;
    ManualClock clock;
};

} // namespace tq::test
