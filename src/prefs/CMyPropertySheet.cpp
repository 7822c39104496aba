#include "prefs/CMyPropertySheet.h"

#include "prefs/QEMail.h"
#include "prefs/QFilteringSetup.h"
#include "prefs/QGeneralSetup.h"
#include "prefs/QInterfaceSetup.h"
#include "res/StringTable.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tq {

CMyPropertySheet::CMyPropertySheet(const PrefsContext &context, int startPage, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("preferencesSheet"));
    setWindowTitle(tqString(Sid::PreferencesCaption));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("preferencePages"));
    m_tabs->tabBar()->setFont(context.font);
    m_general = new QGeneralSetup(context, m_tabs);
    m_interface = new QInterfaceSetup(context, m_tabs);
    m_filtering = new QFilteringSetup(context, m_tabs);
    m_email = new QEMail(context, m_tabs);
    m_tabs->addTab(m_general, tqString(Sid::GeneralPageTitle));
    m_tabs->addTab(m_interface, tqString(Sid::InterfacePageTitle));
    m_tabs->addTab(m_filtering, tqString(Sid::FilteringPageTitle));
    m_tabs->addTab(m_email, tqString(Sid::EMailPageTitle));
    m_pages = {m_general, m_interface, m_filtering, m_email};

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *ok = m_buttons->button(QDialogButtonBox::Ok);
    QPushButton *cancel = m_buttons->button(QDialogButtonBox::Cancel);
    ok->setObjectName(QStringLiteral("okButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    ok->setFont(context.font);
    cancel->setFont(context.font);
    ok->setDefault(true);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CMyPropertySheet::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CMyPropertySheet::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);

    m_current = startPage >= 0 && startPage < m_pages.size() ? startPage : GeneralPage;
    m_tabs->setCurrentIndex(m_current);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CMyPropertySheet::onTabChanged);
}

CMyPropertySheet::~CMyPropertySheet() = default;

int CMyPropertySheet::currentPage() const
{
    return m_tabs->currentIndex();
}

bool CMyPropertySheet::setCurrentPage(int page)
{
    if (page < 0 || page >= m_pages.size())
        return false;
    m_tabs->setCurrentIndex(page);
    return m_tabs->currentIndex() == page;
}

void CMyPropertySheet::onTabChanged(int index)
{
    if (m_reverting)
        return;
    PrefsPage *left = m_pages.value(m_current);
    if (left && left->wasShown()) {
        if (const std::optional<FieldProblem> problem = left->collect()) {
            m_reverting = true;
            m_tabs->setCurrentIndex(m_current);
            m_reverting = false;
            left->complain(*problem);
            return;
        }
    }
    m_current = index;
}

void CMyPropertySheet::accept()
{
    for (int index = 0; index < m_pages.size(); ++index) {
        PrefsPage *page = m_pages.at(index);
        if (!page->wasShown())
            continue;
        if (const std::optional<FieldProblem> problem = page->collect()) {
            m_reverting = true;
            m_tabs->setCurrentIndex(index);
            m_current = index;
            m_reverting = false;
            page->complain(*problem);
            return;
        }
    }
    for (PrefsPage *page : m_pages) {
        if (page->wasShown())
            page->apply();
    }
    QDialog::accept();
}

void CMyPropertySheet::reject()
{
    for (PrefsPage *page : m_pages)
        page->cancel();
    QDialog::reject();
}

} // namespace tq
