#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

namespace tq {

class CMainFrame;
class Clock;
class PowerNotices;
class Prompter;
class SettingsFallback;
class SettingsStore;
class Shell;
class SingleInstance;
class SoundPlayer;
class TrayIcon;
class WidgetPrompter;

// How the program was asked to start.
struct AppOptions {
    // "--minimized": with a notification area only the tray icon shows; without one the
    // window starts minimised.
    bool startMinimized = false;
};

// The services the windows use. Left empty, the real ones are made.
struct AppServices {
    Prompter *prompter = nullptr;
    SoundPlayer *sound = nullptr;
    TrayIcon *tray = nullptr;
    const Clock *clock = nullptr;
    Shell *shell = nullptr;
};

// The application object: start-up in its fixed order, the hand-over to a program that is
// already running, and the end of the program (Exit, a confirmed close, log-off).
// The QApplication must exist before it.
class CTq20App : public QObject {
    Q_OBJECT
public:
    static constexpr int kNoTrayStatusMs = 60000;

    explicit CTq20App(AppOptions options = {}, AppServices services = {}, QObject *parent = nullptr);
    ~CTq20App() override;

    static AppOptions parseArguments(const QStringList &arguments);

    // The start-up routine. False: the program should end at once (another one runs and has
    // been asked to show its window).
    bool InitInstance();
    // InitInstance, then the event loop until the program ends; the process's exit code.
    int run();

    CMainFrame *mainFrame() const { return m_frame.get(); }
    SettingsStore &settings() { return *m_settings; }
    bool hasEnded() const { return m_ended; }

Q_SIGNALS:
    // The main window has closed for good.
    void ended();

private:
    void showMainWindow();
    // Without a tray the window stays in the task bar; the first start there says why, and
    // how to get a tray, in the status bar and in a desktop notice.
    void tellOnceThatThereIsNoTray();
    void tellWhenSettingsAreUnreadable();
    void onFrameEnded();

    AppOptions m_options;
    AppServices m_services;
    std::unique_ptr<SettingsFallback> m_settingsFile;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<SingleInstance> m_instance;
    // The real services, when none were given.
    std::unique_ptr<WidgetPrompter> m_ownPrompter;
    std::unique_ptr<SoundPlayer> m_ownSound;
    std::unique_ptr<TrayIcon> m_ownTray;
    PowerNotices *m_powerNotices = nullptr;
    std::unique_ptr<CMainFrame> m_frame;
    bool m_ended = false;
    bool m_running = false;
};

} // namespace tq
