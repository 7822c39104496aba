#pragma once

#include "platform/TrayIcon.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QMenu;
class QWidget;

namespace tq {

class BackgroundMailCheck;
class CMailCheckDlg;
class CMyPropertySheet;
class MailAnnouncer;
class MailTrayIcons;
class SettingsStore;
class Shell;
class SoundPlayer;

// The main window's mail: the three mail icons of the tray and what a check announces there,
// the check in the background on its timer, and the commands of the mail menu and of the
// tray menu's "Check for new mail now".
class MailControls : public QObject {
    Q_OBJECT
public:
    // `window`: the main window, which the mail-check window belongs to.
    MailControls(SettingsStore &settings, SoundPlayer &sound, Shell &shell, QWidget *window);
    // The mail-check window goes first: it works with the announcer.
    ~MailControls() override;

    void setShell(Shell &shell) { m_shell = &shell; }
    // The icons' menu; their new-mail announcements go to `announce` with the icon's tip.
    void setUp(QMenu *mailMenu, std::function<void(const QString &tip)> announce);
    // The preferences sheet while it is open, whose E-mail page takes part in the commands.
    void setSheetSource(std::function<CMyPropertySheet *()> sheet) { m_sheet = std::move(sheet); }

    // With the processes: checking as "EnableMailCheking" says, every "MailChekingTime" minutes.
    void start();
    void stop();
    // "Don't check anymore" / "Start checking". With the sheet open the switch goes through its
    // E-mail page (whatever page is on top), so the page shows it and its Cancel puts it back.
    void toggleChecking();
    // "Check for new mail now": with the values being edited when the sheet shows its E-mail
    // page, otherwise with the stored settings, in the mail-check window.
    void checkNow();
    // "Read Mail": the mail program of the settings; the icons go.
    void readMail();
    void removeAllIcons();

    MailTrayIcons &trayIcons() const { return *m_trayIcons; }
    MailAnnouncer &announcer() const { return *m_announcer; }
    BackgroundMailCheck &backgroundCheck() const { return *m_check; }
    CMailCheckDlg *checkDialog() const;

private:
    void onIconActivated(TrayIcon::Activation activation);

    SettingsStore &m_settings;
    Shell *m_shell;
    QWidget *m_window;
    MailTrayIcons *m_trayIcons = nullptr;
    std::unique_ptr<MailAnnouncer> m_announcer;
    std::unique_ptr<BackgroundMailCheck> m_check;
    QPointer<CMailCheckDlg> m_checkDialog;
    std::function<CMyPropertySheet *()> m_sheet;
};

} // namespace tq
