#pragma once

#include "app/CMainFrame.h"
#include "mail/MailCounts.h"
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
        auto frame = std::make_unique<CMainFrame>(settings, prompter, sound, tray, clock);
        frame->setShell(shell);
        frame->setHelpFolders({helpFolder()});
        return frame;
    }
    // A frame that runs and listens, as after start-up.
    std::unique_ptr<CMainFrame> runningFrame()
    {
        auto frame = makeFrame();
        frame->show();
        frame->initialUpdate();
        EXPECT_TRUE(waitUntil([&] { return accepts(); }))
            << frame->listenerStatusText().toStdString() << " port " << port;
        return frame;
    }
    QString helpFolder() const { return homePath() + QStringLiteral("/help"); }
    static QAction *action(const CMainFrame &frame, const char *name)
    {
        QAction *found = frame.findChild<QAction *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool accepts(int other = 0) const { return connectLoopback(other ? other : port, "127.0.0.1", 300).valid(); }

    const int port = unusedTcpPort();
    SettingsStore settings;
    RecordingPrompter prompter;
    RecordingSoundPlayer sound;
    RecordingTrayIcon tray;
    RecordingShell shell;
    ManualClock clock;
};

} // namespace tq::test
