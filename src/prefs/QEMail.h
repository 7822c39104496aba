#pragma once

#include "prefs/EMailSetupValues.h"
#include "prefs/PrefsPage.h"

#include <QPointer>

#include <memory>

namespace Ui {
class QEMail;
}

namespace tq {

class CMailCheckDlg;

// The E-mail page: mail checking with its interval and sound, the mail program, one or two
// POP3 mailboxes and the SMTP server. The mail-checking switch is written the moment it is
// clicked, and Cancel puts back the value it had when the sheet opened.
class QEMail : public PrefsPage {
    Q_OBJECT
public:
    QEMail(const PrefsContext &context, QWidget *parent = nullptr);
    ~QEMail() override;

    std::optional<FieldProblem> collect() override;
    void apply() override;
    void cancel() override;

    // The mail-checking check box was clicked.
    void toggleMailChecking();
    // The tray's mail menu switched mail checking while the sheet is open. The page's own
    // value may already differ from the store (an emptied mailbox), so it is set, not
    // inverted.
    void switchMailChecking(bool on);
    // "Check Now!": a check with the values the fields hold now, in the progress window.
    void checkNow();
    CMailCheckDlg *checkDialog() const;

protected:
    void onFirstShow() override;
    QWidget *fieldWidget(PrefField field) const override;

private:
    MailboxAccount firstAccount() const;
    MailboxAccount secondAccount() const;
    void showStates();
    void browseProgram();
    void runProgram();

    std::unique_ptr<Ui::QEMail> m_ui;
    EMailSetupValues m_values;
    EMailPageState m_state;
    const bool m_mailCheckingAtStart;
    bool m_toggled = false;
    QPointer<CMailCheckDlg> m_checkDialog;
};

} // namespace tq
