// How the main window goes to the tray and comes back, how it ends, and what it does around
// a suspend.
#include "app/CMainFrame.h"

#include "app/PowerNoticeWindow.h"
#include "app/WindowPlacement.h"
#include "mail/MailAnnouncer.h"
#include "platform/MemoryTrim.h"
#include "platform/Prompter.h"
#include "platform/TrayIcon.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace tq {

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
    if (event->type() == QEvent::FontChange)
        rebuildAddSenderGroups();
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
    m_mailAnnouncer->removeAllIcons();
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
