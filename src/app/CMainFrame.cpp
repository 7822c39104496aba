#include "app/CMainFrame.h"

#include "app/AboutDialog.h"
#include "app/DesktopNotice.h"
#include "app/HelpPages.h"
#include "app/MailControls.h"
#include "app/MainFrameMenus.h"
#include "app/MainStatusBar.h"
#include "app/SendResultHandler.h"
#include "app/WindowPlacement.h"
#include "mail/MailCounts.h"
#include "messages/CTq20View.h"
#include "platform/MemoryTrim.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "prefs/CMyPropertySheet.h"
#include "res/PaintedIcons.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"
#include "station/MessageStation.h"
#include "ui/DesktopShell.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>

namespace tq {

CMainFrame::CMainFrame(SettingsStore &settings, Prompter &prompter, SoundPlayer &sound, TrayIcon &tray,
                       const Clock &clock, const QString &dataDir, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_sound(sound)
    , m_tray(tray)
    , m_ownShell(std::make_unique<DesktopShell>())
    , m_shell(m_ownShell.get())
    , m_station(std::make_unique<MessageStation>(settings, sound, clock, dataDir))
    , m_helpFolders(HelpPages::defaultFolders())
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(paintedIcon(QStringLiteral("IDI_AMAINFRAME")));
    setWindowTitle(tqString(Sid::AppTitle));
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    m_mail = new MailControls(settings, sound, *m_shell, this);
    m_view = new CTq20View(*m_station, settings, prompter, tray, clock, this);
    setCentralWidget(m_view);
    m_statusBar = std::make_unique<MainStatusBar>(statusBar());
    createParts(clock);
    m_menus = new MainFrameMenus(*this, *m_view, *m_mail, settings);
    m_view->attachStatusPanes({statusPane(0), statusPane(1), statusPane(2)});
    m_menus->restoreBarState();
    applyStoredPlacement();

    // The status line and the mode text share pane 0.
    const auto showInPaneZero = [this](const QString &text) { statusPane(0)->setText(text); };
    m_sendResults = new SendResultHandler(prompter, sound, settings, {showInPaneZero, showInPaneZero}, this, this);
    connectStation();
    connect(m_view, &CTq20View::minimizeRequested, this, &CMainFrame::minimizeToTray);
    m_tray.setActivationHandler([this](TrayIcon::Activation activation) { onMainTrayActivated(activation); });
    m_tray.setContextMenu(m_menus->trayMenu());
    m_mail->setUp(m_menus->mailMenu(), [this](const QString &tip) { showDesktopNotice(tip); });
    m_mail->setSheetSource([this] { return m_sheet.data(); });
    connect(&m_trayRefreshTimer, &QTimer::timeout, this, &CMainFrame::refreshTrayIcon);
}

CMainFrame::~CMainFrame()
{
    m_tray.setActivationHandler({});
    m_tray.setContextMenu(nullptr);
    // The dialogs go first: they work with the mail services (the mail-check window goes with them).
    delete m_sheet;
    delete m_about;
    StopProcesses();
    // The view shows the station to its end.
    delete m_view;
    m_view = nullptr;
}

void CMainFrame::setShell(Shell &shell)
{
    m_shell = &shell;
    m_mail->setShell(shell);
}

// ---- the processes

void CMainFrame::initialUpdate()
{
    StartProcesses();
    m_view->OnInitialUpdate();
}

void CMainFrame::StartProcesses()
{
    m_station->StopProcesses();
    m_statusBar->showPortSettingFaults(m_settings);
    m_station->StartProcesses();
    m_trayRefreshTimer.start(kTrayRefreshMs);
    m_mail->start();
    startParts();
}

void CMainFrame::StopProcesses()
{
    stopParts();
    m_station->StopProcesses();
    m_mail->stop();
    m_trayRefreshTimer.stop();
}

void CMainFrame::refreshTrayIcon()
{
    // The notification area may have restarted without the icon: it comes back in its
    // resting look until the next counter update.
    if (m_tray.isShown())
        return;
    m_tray.setIconName(QStringLiteral("IDI_AMAINFRAME"));
    m_tray.setToolTip(tqString(Sid::TrayListening));
    m_tray.show();
}

void CMainFrame::onArrivalsSettled(const ArrivalSummary &summary)
{
    if (summary.restoreWindow)
        restoreFromTray();
    if (summary.newestText)
        showDesktopNotice(*summary.newestText);
}

// ---- the dialogs

void CMainFrame::OnPreferences()
{
    if (m_sheet)
        return;
    const int startPage = m_openAtEMailPage ? CMyPropertySheet::EMailPage : CMyPropertySheet::GeneralPage;
    m_openAtEMailPage = false;
    const PrefsContext context{m_settings,
                               m_prompter,
                               m_sound,
                               *m_shell,
                               m_mail->announcer(),
                               MailCounts::process(),
                               m_view->formFont(),
                               m_view->boldFormFont(),
                               m_station->dataDir(),
                               m_station->ownAddress()};
    m_sheet = new CMyPropertySheet(context, startPage, this);
    connect(m_sheet, &QDialog::finished, this, &CMainFrame::onPreferencesFinished);
    m_sheet->open();
}

void CMainFrame::onPreferencesFinished(int result)
{
    if (m_sheet)
        m_sheet->deleteLater();
    m_sheet = nullptr;
    if (m_exiting || hasEnded() || result != QDialog::Accepted)
        return;
    // The station takes the new settings once the receivers run on them.
    QMetaObject::invokeMethod(m_station.get(), &MessageStation::reloadSettings, Qt::QueuedConnection);
    StopProcesses();
    StartProcesses();
    // The group items of "Add sender to..." are rebuilt with the address book.
    m_station->refreshAddressBook();
}

void CMainFrame::OnAbout()
{
    if (m_about)
        return;
    m_about = new AboutDialog(m_settings.get(keys::Url), *m_shell, this);
    m_about->setAttribute(Qt::WA_DeleteOnClose);
    m_about->open();
}

void CMainFrame::setAddressBookDialog(std::function<bool(QWidget *owner)> run)
{
    m_runAddressBook = std::move(run);
    m_menus->addressBookAction()->setEnabled(static_cast<bool>(m_runAddressBook));
}

void CMainFrame::OnAddressBook()
{
    if (m_addressBookOpen || !m_runAddressBook)
        return;
    m_addressBookOpen = true;
    const bool changed = m_runAddressBook(this);
    m_addressBookOpen = false;
    if (!changed || m_exiting || hasEnded())
        return;
    // The station reads the address book again; the shown message's sender goes back into the
    // destination field.
    m_view->addressBookChanged();
    Q_EMIT addressBookChanged();
}

void CMainFrame::OnHelp()
{
    const QString index = HelpPages::indexPath(m_helpFolders);
    if (index.isEmpty()) {
        m_prompter.message(tqString(Sid::AppName), tqString(Sid::HelpNotInstalled), Prompter::Icon::Exclamation);
        return;
    }
    // The pages are there: a reinstall would not help, a browser would.
    if (!m_shell->openUrl(QUrl::fromLocalFile(index)))
        m_prompter.message(tqString(Sid::AppName), tqFormat(Sid::HelpNoBrowser, index.toUtf8().constData()),
                           Prompter::Icon::Exclamation);
}

void CMainFrame::OnVisitWebSite()
{
    m_shell->openUrl(QUrl(QStringLiteral("http://") + m_settings.get(keys::Url)));
}

// ---- the tray and the mail

void CMainFrame::onMainTrayActivated(TrayIcon::Activation activation)
{
    // The right button's menu is the tray menu given to the icon; the desktop shows it.
    if (activation == TrayIcon::Activation::Click)
        restoreFromTray();
    trimResidentMemory();
}

void CMainFrame::OnMailSettings()
{
    m_openAtEMailPage = true;
    if (m_sheet)
        m_sheet->setCurrentPage(CMyPropertySheet::EMailPage);
    else
        OnPreferences();
}

void CMainFrame::showDesktopNotice(const QString &text)
{
    const bool windowActive = isVisible() && !isMinimized() && isActiveWindow();
    switch (desktopNoticeFor(m_settings.get(keys::Notify) != 0, m_tray.isAvailable(), windowActive)) {
    case DesktopNotice::Balloon:
        m_tray.showMessage(tqString(Sid::AppName), noticeLine(text));
        break;
    case DesktopNotice::Alert:
        QApplication::alert(this);
        break;
    case DesktopNotice::None:
        break;
    }
}

// ---- the window's place, the tray, the end and the power notices

void CMainFrame::applyStoredPlacement()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    setGeometry(fitOnScreens(readWindowPlacement(m_settings), screens));
}

void CMainFrame::saveWindowPlacement()
{
    // The normal rectangle, also while the window is minimised, maximised or in the tray.
    writeWindowPlacement(m_settings, normalGeometry());
}

void CMainFrame::minimizeToTray()
{
    if (m_tray.isAvailable())
        hide();
    else
        showMinimized();
    trimResidentMemory();
}

void CMainFrame::restoreFromTray()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void CMainFrame::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The group items of "Add sender to..." are rebuilt with the address book.
    if (event->type() == QEvent::FontChange)
        m_station->refreshAddressBook();
    if (event->type() == QEvent::WindowStateChange && isMinimized() && isVisible() && !m_ending
        && m_tray.isAvailable()) {
        // Hidden once the minimise has finished, so the window manager is not confused.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isMinimized() && m_tray.isAvailable())
                    minimizeToTray();
            },
            Qt::QueuedConnection);
    }
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    saveWindowPlacement();
    saveBarState();
    const int closeAsk = m_settings.get(keys::CloseAsk);
    if (closeAsk == 1) {
        event->ignore();
        minimizeToTray();
        return;
    }
    if (closeAsk != 2) {
        const Prompter::Answer answer =
            m_prompter.message(tqString(Sid::CloseQuestionCaption), tqString(Sid::CloseQuestion),
                               Prompter::Icon::Question, Prompter::Buttons::YesNo, Prompter::Answer::No);
        if (answer != Prompter::Answer::Yes) {
            event->ignore();
            return;
        }
    }
    endProgram();
    event->accept();
}

void CMainFrame::OnExit()
{
    if (m_ended)
        return;
    m_exiting = true;
    saveWindowPlacement();
    saveBarState();
    endProgram();
    close();
}

void CMainFrame::endProgram()
{
    if (m_ended)
        return;
    m_ending = true;
    m_tray.hide();
    m_mail->removeAllIcons();
    StopProcesses();
    m_ended = true;
    Q_EMIT ended();
}

void CMainFrame::showPowerNotice(const QString &text)
{
    if (!m_powerNotice)
        m_powerNotice = new PowerNoticeWindow(this);
    m_powerNotice->showNotice(text, kPowerNoticeMs);
}

void CMainFrame::OnSuspend()
{
    if (m_ended)
        return;
    showPowerNotice(tqString(Sid::SuspendNotice));
    StopProcesses();
}

void CMainFrame::OnResume()
{
    if (m_ended)
        return;
    showPowerNotice(tqString(Sid::ResumeNotice));
    StartProcesses();
}

} // namespace tq
