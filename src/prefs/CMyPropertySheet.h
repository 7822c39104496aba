#pragma once

#include "prefs/PrefsContext.h"

#include <QDialog>
#include <QList>

class QDialogButtonBox;
class QTabWidget;

namespace tq {

class PrefsPage;
class QEMail;
class QFilteringSetup;
class QGeneralSetup;
class QInterfaceSetup;

// The preferences: four pages on tabs, OK and Cancel. A page's values are tested when the
// user leaves it and on OK; a refused value keeps the page up with the focus in the field.
// OK writes every page the user has seen; Cancel writes nothing (the E-mail page only puts
// its mail-checking switch back).
class CMyPropertySheet : public QDialog {
    Q_OBJECT
public:
    enum Page { GeneralPage = 0, InterfacePage = 1, FilteringPage = 2, EMailPage = 3 };

    CMyPropertySheet(const PrefsContext &context, int startPage, QWidget *parent = nullptr);
    ~CMyPropertySheet() override;

    int currentPage() const;
    // As the user would switch: false when the page being left refuses its values.
    bool setCurrentPage(int page);

    QGeneralSetup *generalPage() const { return m_general; }
    QInterfaceSetup *interfacePage() const { return m_interface; }
    QFilteringSetup *filteringPage() const { return m_filtering; }
    QEMail *emailPage() const { return m_email; }

    void accept() override;
    void reject() override;

private:
    void onTabChanged(int index);

    QTabWidget *m_tabs = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    QGeneralSetup *m_general = nullptr;
    QInterfaceSetup *m_interface = nullptr;
    QFilteringSetup *m_filtering = nullptr;
    QEMail *m_email = nullptr;
    QList<PrefsPage *> m_pages;
    int m_current = 0;
    bool m_reverting = false;
};

} // namespace tq
