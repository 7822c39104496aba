#pragma once

#include "app/PowerNoticeWindow.h"
#include "platform/Clock.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>

class QLabel;

namespace tq {

class CReceiveThread;
class CTq20View;
class CUDPReceiveThread;
class Prompter;
class SettingsStore;
class SoundPlayer;
class TrayIcon;

// The program's main window: the message view, the menus with the view's commands, the
// status bar, the main tray icon, and the background processes (the receivers and timers).
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kTrayRefreshMs = 120000;
    static constexpr int kPowerNoticeMs = 2500;
    static constexpr int kMinimumWidth = 305;
    static constexpr int kMinimumHeight = 185;

    // The window takes its stored placement; nothing runs until initialUpdate().
    CMainFrame(SettingsStore &settings, Prompter &prompter, SoundPlayer &sound, TrayIcon &tray,
        const Clock &clock = steadyClock(), QWidget *parent = nullptr);
    ~CMainFrame() override;

    CTq20View *view() const { return m_view; }

    // Starts the background processes, then the view's initial update (stored messages,
    // counters, the first showing of the tray icon).
    void initialUpdate();

    // The receivers chosen by "UseProtocol", the tray refresh and, when enabled, mail checking.
    // Running receivers are stopped first, so a second start never leaves two behind.
    void StartProcesses();
    // Stops the receivers and timers; returns once the receiver threads have ended.
    void StopProcesses();
    CReceiveThread *tcpReceiver() const { return m_tcpReceiver.get(); }
    CUDPReceiveThread *udpReceiver() const { return m_udpReceiver.get(); }

    // The Exit command: remove the tray icon, keep the placement, stop the processes, close.
    void OnExit();
    // Esc and the system's minimise: into the tray when there is one, otherwise an ordinary
    // minimise, so the window can always be got back.
    void minimizeToTray();
    // "Restore": from the tray or from minimised, to the front.
    void restoreFromTray();
    // Power notices: stop the processes before a suspend, start them after the resume.
    void OnSuspend();
    void OnResume();
    void saveWindowPlacement();

    bool isExiting() const { return m_exiting; }
    // The frame has closed for good (Exit, a confirmed close, log-off): the program ends.
    bool hasEnded() const { return m_ended; }

    QString listenerStatusText() const;
    QLabel *statusPane(int index) const;
    PowerNoticeWindow *powerNotice() const { return m_powerNotice; }

Q_SIGNALS:
    void ended();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createMenus();
    void createStatusBar();
    void applyStoredPlacement();
    void endProgram();
    void startTcpReceiver();
    void startUdpReceiver();
    void startMailChecking();
    void stopReceivers();
    void refreshTrayIcon();
    void onSendResult(int code, const QString &text);
    void onCriticalError(const QString &message);
    void showPowerNotice(const QString &text);

    SettingsStore &m_settings;
    Prompter &m_prompter;
    TrayIcon &m_tray;
    CTq20View *m_view = nullptr;
    QLabel *m_modePane = nullptr;
    QLabel *m_sendTimePane = nullptr;
    QLabel *m_positionPane = nullptr;
    QPointer<PowerNoticeWindow> m_powerNotice;

    std::unique_ptr<CReceiveThread> m_tcpReceiver;
    std::unique_ptr<CUDPReceiveThread> m_udpReceiver;
    QTimer m_trayRefreshTimer;
    QTimer m_mailCheckTimer;

    bool m_exiting = false;
    bool m_ending = false;
    bool m_ended = false;
};

} // namespace tq
