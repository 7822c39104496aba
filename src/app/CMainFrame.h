#pragma once

#include "app/AboutDialog.h"
#include "app/MailControls.h"
#include "app/MainFrameMenus.h"
#include "app/MainStatusBar.h"
#include "app/PowerNoticeWindow.h"
#include "platform/Clock.h"
#include "platform/TrayIcon.h"
#include "prefs/CMyPropertySheet.h"
#include "station/MessageStation.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class QMenu;
class QToolBar;

namespace tq {

class BackgroundMailCheck;
class CMailCheckDlg;
class CReceiveThread;
class CTq20View;
class CUDPReceiveThread;
class DeliveryLaterControls;
class HistoryControls;
class PresenceControls;
class MailTrayIcons;
class Prompter;
class SendResultHandler;
class SettingsStore;
class Shell;
class SoundPlayer;
class StatusNotices;

// The program's main window: the station it shows, its message view, the menus, the status
// bar, the main tray icon and the mail. It runs the station's processes with its own timers
// and shows what the station reports.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kTrayRefreshMs = 120000;
    static constexpr int kPowerNoticeMs = 2500;
    static constexpr int kMinimumWidth = 305;
    static constexpr int kMinimumHeight = 185;

    // The window takes its stored placement; nothing runs until initialUpdate(). `dataDir` is
    // the application-data folder of the station.
    CMainFrame(SettingsStore &settings, Prompter &prompter, SoundPlayer &sound, TrayIcon &tray, const Clock &clock,
               const QString &dataDir, QWidget *parent = nullptr);
    ~CMainFrame() override;

    MessageStation &station() const { return *m_station; }
    CTq20View *view() const { return m_view; }

    // Starts the background processes, then the view's initial update (stored messages,
    // counters, the first showing of the tray icon).
    void initialUpdate();

    // The station's receivers as "UseProtocol" says, the tray refresh and, when enabled, mail
    // checking. Running receivers are stopped first, so a second start never leaves two behind.
    void StartProcesses();
    // Stops the receivers and timers; returns once the receiver threads have ended.
    void StopProcesses();
    CReceiveThread *tcpReceiver() const { return m_station->tcpReceiver(); }
    CUDPReceiveThread *udpReceiver() const { return m_station->udpReceiver(); }

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

    QString listenerStatusText() const { return statusPane(0)->text(); }
    QLabel *statusPane(int index) const { return m_statusBar->pane(index); }
    // Lasting notices about settings and files that could not be used as they are.
    StatusNotices *statusNotices() const { return m_statusBar->notices(); }
    PowerNoticeWindow *powerNotice() const { return m_powerNotice; }

    // ---- the application's commands. The dialogs open without blocking; each of them runs
    // once at a time, so repeating its command while it is up does nothing.
    // "Preferences...": the sheet on the General page, or on the E-mail page right after the
    // mail menu's "Settings". OK reloads the station's settings and restarts the processes.
    void OnPreferences();
    void OnAbout();
    // "Address Book...": runs the dialog set with setAddressBookDialog(); when that reports a
    // change, the view is told.
    void OnAddressBook();
    // "Contents and Index" (F1): the help pages, or a notice that they are missing.
    void OnHelp();
    void OnVisitWebSite();
    // The mail menu's "Settings": the sheet on its E-mail page. (The other mail commands are
    // MailControls'.)
    void OnMailSettings();

    // A new message or new mail: outside the window the user is looking at, a desktop
    // notification with the first line of `text` ("Notify").
    void showDesktopNotice(const QString &text);

    // The Address Book dialog, run modally by the caller's function; true when the address
    // book changed. Until it is set the command is disabled.
    void setAddressBookDialog(std::function<bool(QWidget *owner)> run);
    // The desktop services behind the help, web, mail-program and file commands.
    void setShell(Shell &shell);
    void setHelpFolders(const QStringList &folders) { m_helpFolders = folders; }

    // The toolbar's and status bar's visibility and the toolbar's place, for the next run.
    void saveBarState() { m_menus->saveBarState(); }

    CMyPropertySheet *preferencesSheet() const { return m_sheet; }
    AboutDialog *aboutBox() const { return m_about; }
    CMailCheckDlg *mailCheckDialog() const { return m_mail->checkDialog(); }
    MailTrayIcons &mailTrayIcons() const { return m_mail->trayIcons(); }
    BackgroundMailCheck &backgroundMailCheck() const { return m_mail->backgroundCheck(); }
    QToolBar *toolBar() const { return m_menus->toolBar(); }
    QMenu *trayMenu() const { return m_menus->trayMenu(); }
    QMenu *mailMenu() const { return m_menus->mailMenu(); }
    HistoryControls &history() const { return *m_history; }
    PresenceControls &presence() const { return *m_presence; }
    DeliveryLaterControls &deliveryLater() const { return *m_later; }

Q_SIGNALS:
    void ended();
    // The Address Book dialog reported a change.
    void addressBookChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void connectStation();
    // The history, presence and delivery later, made with the window and run with its processes.
    void createParts(const Clock &clock);
    void startParts();
    void stopParts();
    // The tray tip of the counters, with the number of waiting messages and the disk's state.
    void updateTrayTipNote();
    void onMainTrayActivated(TrayIcon::Activation activation);
    void onArrivalsSettled(const ArrivalSummary &summary);
    void onPreferencesFinished(int result);
    void applyStoredPlacement();
    void endProgram();
    void refreshTrayIcon();
    void showPowerNotice(const QString &text);

    SettingsStore &m_settings;
    Prompter &m_prompter;
    SoundPlayer &m_sound;
    TrayIcon &m_tray;
    std::unique_ptr<Shell> m_ownShell;
    Shell *m_shell = nullptr;
    std::unique_ptr<MessageStation> m_station;
    CTq20View *m_view = nullptr;
    MainFrameMenus *m_menus = nullptr;
    MailControls *m_mail = nullptr;
    HistoryControls *m_history = nullptr;
    PresenceControls *m_presence = nullptr;
    DeliveryLaterControls *m_later = nullptr;
    int m_waitingCount = 0;
    QString m_diskNote;
    std::unique_ptr<MainStatusBar> m_statusBar;
    QPointer<PowerNoticeWindow> m_powerNotice;

    // Outcomes of sends and the receivers' reports, as texts, boxes and sounds.
    SendResultHandler *m_sendResults = nullptr;
    QTimer m_trayRefreshTimer;

    QPointer<CMyPropertySheet> m_sheet;
    QPointer<AboutDialog> m_about;
    std::function<bool(QWidget *)> m_runAddressBook;
    QStringList m_helpFolders;
    bool m_addressBookOpen = false;
    bool m_openAtEMailPage = false;

    bool m_exiting = false;
    bool m_ending = false;
    bool m_ended = false;
};

} // namespace tq
