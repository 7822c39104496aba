#pragma once

#include "app/PowerNoticeWindow.h"
#include "platform/Clock.h"
#include "platform/TrayIcon.h"
#include "protocol/SendResultCode.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace tq {

class AboutDialog;
class BackgroundMailCheck;
class CMailCheckDlg;
class CMyPropertySheet;
class CReceiveThread;
class CTq20View;
class MailAnnouncer;
class MailTrayIcons;
class CUDPReceiveThread;
class Prompter;
class SendResultHandler;
class SettingsStore;
class Shell;
class SoundPlayer;
class StatusNotices;

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
    // Lasting notices about settings and files that could not be used as they are.
    StatusNotices *statusNotices() const { return m_notices; }
    PowerNoticeWindow *powerNotice() const { return m_powerNotice; }

    // ---- the application's commands. The dialogs open without blocking; each of them runs
    // once at a time, so repeating its command while it is up does nothing.
    // "Preferences...": the sheet on the General page, or on the E-mail page right after the
    // mail menu's "Settings". OK reloads the view's settings and restarts the processes.
    void OnPreferences();
    void OnAbout();
    // "Address Book...": runs the dialog set with setAddressBookDialog(); when that reports a
    // change, the view is told.
    void OnAddressBook();
    // "Contents and Index" (F1): the help pages, or a notice that they are missing.
    void OnHelp();
    void OnVisitWebSite();
    // "Check for new mail now": with the values being edited when the sheet shows its E-mail
    // page, otherwise with the stored settings, in the progress window.
    void OnCheckMailNow();
    // The mail menu: "Don't check anymore" / "Start checking", "Settings", "Read Mail",
    // "Hide mail icon(s)".
    void OnToggleMailChecking();
    void OnMailSettings();
    void OnReadMail();
    void OnHideMailIcons();

    // A new message has arrived: outside the window the user is looking at, a desktop
    // notification with the first line of `text` ("Notify").
    void announceNewMessage(const QString &text);

    // The Address Book dialog, run modally by the caller's function; true when the address
    // book changed. Until it is set the command is disabled.
    void setAddressBookDialog(std::function<bool(QWidget *owner)> run);
    // The desktop services behind the help, web, mail-program and file commands.
    void setShell(Shell &shell);
    void setHelpFolders(const QStringList &folders) { m_helpFolders = folders; }

    // The toolbar's and status bar's visibility and the toolbar's place, for the next run.
    void saveBarState();

    CMyPropertySheet *preferencesSheet() const;
    AboutDialog *aboutBox() const;
    CMailCheckDlg *mailCheckDialog() const;
    MailTrayIcons &mailTrayIcons() const { return *m_mailTray; }
    BackgroundMailCheck &backgroundMailCheck() const { return *m_mailCheck; }
    QToolBar *toolBar() const { return m_toolBar; }
    QMenu *trayMenu() const { return m_trayMenu; }
    QMenu *mailMenu() const { return m_mailMenu; }

Q_SIGNALS:
    void ended();
    // The Address Book dialog reported a change.
    void addressBookChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createMenus();
    void createToolBar();
    void createTrayMenus();
    void restoreBarState();
    void createStatusBar();
    QAction *addCommand(const char *objectName, const QString &text, void (CMainFrame::*slot)());
    void onMainTrayActivated(TrayIcon::Activation activation);
    void onMailTrayActivated(TrayIcon::Activation activation);
    void prepareMailMenu();
    void onPreferencesFinished(int result);
    void notifyAddressBookChanged();
    void rebuildAddSenderGroups();
    void showDesktopNotice(const QString &text);
    void applyStoredPlacement();
    void endProgram();
    void showPortSettingFaults();
    void startTcpReceiver();
    void startUdpReceiver();
    void startMailChecking();
    void stopReceivers();
    void refreshTrayIcon();
    void onSendResult(tq::SendResultCode code, const QString &text);
    void onCriticalError(const QString &message);
    void showPowerNotice(const QString &text);

    SettingsStore &m_settings;
    Prompter &m_prompter;
    SoundPlayer &m_sound;
    TrayIcon &m_tray;
    std::unique_ptr<Shell> m_ownShell;
    Shell *m_shell = nullptr;
    CTq20View *m_view = nullptr;
    QLabel *m_modePane = nullptr;
    QLabel *m_sendTimePane = nullptr;
    QLabel *m_positionPane = nullptr;
    StatusNotices *m_notices = nullptr;
    QPointer<PowerNoticeWindow> m_powerNotice;

    QToolBar *m_toolBar = nullptr;
    QAction *m_statusBarAction = nullptr;
    QAction *m_addressBookAction = nullptr;
    QMenu *m_trayMenu = nullptr;
    QMenu *m_mailMenu = nullptr;
    QAction *m_toggleMailAction = nullptr;
    QAction *m_readMailAction = nullptr;

    // Outcomes of sends and the receivers' reports, as texts, boxes and sounds.
    SendResultHandler *m_sendResults = nullptr;
    std::unique_ptr<CReceiveThread> m_tcpReceiver;
    std::unique_ptr<CUDPReceiveThread> m_udpReceiver;
    QTimer m_trayRefreshTimer;
    // Mail: the icons, what they announce, and the mail-check timer with its checks.
    MailTrayIcons *m_mailTray = nullptr;
    std::unique_ptr<MailAnnouncer> m_mailAnnouncer;
    std::unique_ptr<BackgroundMailCheck> m_mailCheck;

    QPointer<CMyPropertySheet> m_sheet;
    QPointer<AboutDialog> m_about;
    QPointer<CMailCheckDlg> m_mailCheckDialog;
    std::function<bool(QWidget *)> m_runAddressBook;
    QStringList m_helpFolders;
    bool m_addressBookOpen = false;
    bool m_openAtEMailPage = false;

    bool m_exiting = false;
    bool m_ending = false;
    bool m_ended = false;
};

} // namespace tq
