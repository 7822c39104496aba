#include "app/MailControls.h"

#include "app/MailTrayIcons.h"
#include "mail/BackgroundMailCheck.h"
#include "mail/CMailCheckDlg.h"
#include "mail/MailAnnouncer.h"
#include "mail/MailCounts.h"
#include "platform/MemoryTrim.h"
#include "platform/Shell.h"
#include "prefs/CMyPropertySheet.h"
#include "prefs/QEMail.h"
#include "settings/SettingsStore.h"

namespace tq {

MailControls::MailControls(SettingsStore &settings, SoundPlayer &sound, Shell &shell, QWidget *window)
    : QObject(window)
    , m_settings(settings)
    , m_shell(&shell)
    , m_window(window)
    , m_trayIcons(new MailTrayIcons(this))
    , m_announcer(std::make_unique<MailAnnouncer>(*m_trayIcons, sound))
    , m_check(std::make_unique<BackgroundMailCheck>(settings, *m_announcer, MailCounts::process()))
{
    m_trayIcons->setActivationHandler([this](TrayIcon::Activation activation) { onIconActivated(activation); });
}

MailControls::~MailControls()
{
    delete m_checkDialog;
    m_check.reset();
}

CMailCheckDlg *MailControls::checkDialog() const
{
    return m_checkDialog;
}

void MailControls::setUp(QMenu *mailMenu, std::function<void(const QString &)> announce)
{
    m_trayIcons->setContextMenu(mailMenu);
    m_trayIcons->setNewMailHandler(std::move(announce));
}

void MailControls::start()
{
    if (m_settings.get(keys::EnableMailCheking) == 0) {
        m_check->stop();
        return;
    }
    // The mailboxes are copied now; one check runs at once, then one every "MailChekingTime"
    // minutes.
    m_check->start(MailSettingsCache::read(m_settings), m_settings.get(keys::MailChekingTime));
}

void MailControls::stop()
{
    m_check->stop();
}

void MailControls::toggleChecking()
{
    CMyPropertySheet *sheet = m_sheet ? m_sheet() : nullptr;
    const bool wasOn = m_settings.get(keys::EnableMailCheking) != 0;
    if (wasOn)
        m_announcer->removeAllIcons();
    if (sheet)
        sheet->emailPage()->switchMailChecking(!wasOn);
    else
        m_settings.set(keys::EnableMailCheking, wasOn ? 0 : 1);
    if (wasOn)
        m_check->stop();
    else
        m_check->start(MailSettingsCache::read(m_settings), m_settings.get(keys::MailChekingTime));
}

void MailControls::checkNow()
{
    CMyPropertySheet *sheet = m_sheet ? m_sheet() : nullptr;
    if (sheet && sheet->currentPage() == CMyPropertySheet::EMailPage) {
        sheet->emailPage()->checkNow();
        return;
    }
    if (m_checkDialog) {
        m_checkDialog->raise();
        m_checkDialog->activateWindow();
        return;
    }
    auto *dialog = new CMailCheckDlg(checkNowRequest(m_settings), *m_announcer, MailCounts::process(), m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_checkDialog = dialog;
    dialog->open();
}

void MailControls::readMail()
{
    const QString program = m_settings.get(keys::EMailProgram);
    if (program.isEmpty())
        return;
    m_shell->runCommandLine(program);
    m_announcer->removeAllIcons();
}

void MailControls::removeAllIcons()
{
    m_announcer->removeAllIcons();
}

void MailControls::onIconActivated(TrayIcon::Activation activation)
{
    if (activation == TrayIcon::Activation::DoubleClick) {
        const QString program = m_settings.get(keys::EMailProgram);
        if (!program.isEmpty())
            m_shell->runCommandLine(program);
        m_announcer->removeAllIcons();
    }
    trimResidentMemory();
}

} // namespace tq
