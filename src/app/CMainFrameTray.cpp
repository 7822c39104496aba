// The tray: the main icon's menu and clicks, the mail icons with their menu and commands, and
// the desktop notifications.
#include "app/CMainFrame.h"

#include "app/DesktopNotice.h"
#include "app/MailTrayIcons.h"
#include "mail/BackgroundMailCheck.h"
#include "mail/CMailCheckDlg.h"
#include "mail/MailAnnouncer.h"
#include "mail/MailCounts.h"
#include "messages/CTq20View.h"
#include "platform/MemoryTrim.h"
#include "platform/Shell.h"
#include "prefs/CMyPropertySheet.h"
#include "prefs/QEMail.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace tq {

void CMainFrame::createTrayMenus()
{
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("trayMenu"));
    QAction *restore = addCommand("actionRestore", tqString(Sid::MenuRestore), &CMainFrame::restoreFromTray);
    m_trayMenu->addAction(restore);
    m_trayMenu->setDefaultAction(restore);
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(addCommand("actionTrayAbout", tqString(Sid::TrayMenuAbout), &CMainFrame::OnAbout));
    m_trayMenu->addAction(
        addCommand("actionCheckMailNow", tqString(Sid::MenuCheckMailNow), &CMainFrame::OnCheckMailNow));
    m_trayMenu->addAction(findChild<QAction *>(QStringLiteral("actionPreferences")));
    m_trayMenu->addAction(m_view->action(CTq20View::Command::PopupOnReceipt));
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(findChild<QAction *>(QStringLiteral("actionExit")));

    m_mailMenu = new QMenu(this);
    m_mailMenu->setObjectName(QStringLiteral("mailMenu"));
    m_readMailAction = addCommand("actionReadMail", tqString(Sid::MenuReadMail), &CMainFrame::OnReadMail);
    m_mailMenu->addAction(m_readMailAction);
    m_mailMenu->setDefaultAction(m_readMailAction);
    m_toggleMailAction =
        addCommand("actionToggleMailChecking", tqString(Sid::MenuDontCheckAnymore), &CMainFrame::OnToggleMailChecking);
    m_mailMenu->addAction(m_toggleMailAction);
    m_mailMenu->addAction(
        addCommand("actionMailSettings", tqString(Sid::MenuMailSettings), &CMainFrame::OnMailSettings));
    m_mailMenu->addSeparator();
    m_mailMenu->addAction(
        addCommand("actionHideMailIcons", tqString(Sid::MenuHideMailIcons), &CMainFrame::OnHideMailIcons));
    connect(m_mailMenu, &QMenu::aboutToShow, this, &CMainFrame::prepareMailMenu);
    prepareMailMenu();
}

void CMainFrame::prepareMailMenu()
{
    const bool checking = m_settings.get(keys::EnableMailCheking) != 0;
    m_toggleMailAction->setText(tqString(checking ? Sid::MenuDontCheckAnymore : Sid::StartChecking));
    m_readMailAction->setEnabled(!m_settings.get(keys::EMailProgram).isEmpty());
}

void CMainFrame::onMainTrayActivated(TrayIcon::Activation activation)
{
    // The right button's menu is the tray menu given to the icon; the desktop shows it.
    if (activation == TrayIcon::Activation::Click)
        restoreFromTray();
    trimResidentMemory();
}

void CMainFrame::onMailTrayActivated(TrayIcon::Activation activation)
{
    if (activation == TrayIcon::Activation::DoubleClick) {
        const QString program = m_settings.get(keys::EMailProgram);
        if (!program.isEmpty())
            m_shell->runCommandLine(program);
        m_mailAnnouncer->removeAllIcons();
    }
    trimResidentMemory();
}

void CMainFrame::OnReadMail()
{
    const QString program = m_settings.get(keys::EMailProgram);
    if (program.isEmpty())
        return;
    m_shell->runCommandLine(program);
    m_mailAnnouncer->removeAllIcons();
}

void CMainFrame::OnHideMailIcons()
{
    m_mailAnnouncer->removeAllIcons();
}

void CMainFrame::OnToggleMailChecking()
{
    const bool wasOn = m_settings.get(keys::EnableMailCheking) != 0;
    if (wasOn)
        m_mailAnnouncer->removeAllIcons();
    // With the sheet open the switch goes through its E-mail page (whatever page is on top),
    // so the page shows it and its Cancel puts it back.
    if (m_sheet)
        m_sheet->emailPage()->switchMailChecking(!wasOn);
    else
        m_settings.set(keys::EnableMailCheking, wasOn ? 0 : 1);
    if (wasOn)
        m_mailCheck->stop();
    else
        m_mailCheck->start(MailSettingsCache::read(m_settings), m_settings.get(keys::MailChekingTime));
}

void CMainFrame::OnMailSettings()
{
    m_openAtEMailPage = true;
    if (m_sheet)
        m_sheet->setCurrentPage(CMyPropertySheet::EMailPage);
    else
        OnPreferences();
}

void CMainFrame::OnCheckMailNow()
{
    if (m_sheet && m_sheet->currentPage() == CMyPropertySheet::EMailPage) {
        m_sheet->emailPage()->checkNow();
        return;
    }
    if (m_mailCheckDialog) {
        m_mailCheckDialog->raise();
        m_mailCheckDialog->activateWindow();
        return;
    }
    auto *dialog = new CMailCheckDlg(checkNowRequest(m_settings), *m_mailAnnouncer, MailCounts::process(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_mailCheckDialog = dialog;
    dialog->open();
}

void CMainFrame::announceNewMessage(const QString &text)
{
    showDesktopNotice(text);
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

} // namespace tq
