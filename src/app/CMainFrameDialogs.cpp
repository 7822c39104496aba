// The application's dialogs: the preferences sheet, the About box and the Address Book.
#include "app/CMainFrame.h"

#include "app/AboutDialog.h"
#include "mail/CMailCheckDlg.h"
#include "mail/MailAnnouncer.h"
#include "mail/MailCounts.h"
#include "messages/CTq20View.h"
#include "prefs/CMyPropertySheet.h"
#include "settings/SettingsStore.h"

#include <QAction>

namespace tq {

CMyPropertySheet *CMainFrame::preferencesSheet() const
{
    return m_sheet;
}

AboutDialog *CMainFrame::aboutBox() const
{
    return m_about;
}

CMailCheckDlg *CMainFrame::mailCheckDialog() const
{
    return m_mailCheckDialog;
}

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
                               *m_mailAnnouncer,
                               MailCounts::process(),
                               m_view->formFont(),
                               m_view->boldFormFont()};
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
    // The view takes the new settings once the receivers run on them.
    QMetaObject::invokeMethod(m_view, &CTq20View::reloadSettings, Qt::QueuedConnection);
    StopProcesses();
    StartProcesses();
    rebuildAddSenderGroups();
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
    m_addressBookAction->setEnabled(static_cast<bool>(m_runAddressBook));
}

void CMainFrame::OnAddressBook()
{
    if (m_addressBookOpen || !m_runAddressBook)
        return;
    m_addressBookOpen = true;
    const bool changed = m_runAddressBook(this);
    m_addressBookOpen = false;
    if (changed && !m_exiting && !hasEnded())
        notifyAddressBookChanged();
}

void CMainFrame::notifyAddressBookChanged()
{
    // The view refreshes its snapshot, destination list and group menu from the store, and
    // puts the shown message's sender back into the destination box.
    m_view->addressBookChanged();
    Q_EMIT addressBookChanged();
}

void CMainFrame::rebuildAddSenderGroups()
{
    // The group items of "Add sender to..." are rebuilt with the view's address-book refresh.
    m_view->refreshAddressBook();
}

} // namespace tq
