#include "prefs/QEMail.h"

#include "mail/CMailCheckDlg.h"
#include "mail/MailCounts.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "prefs/BrowseRules.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"
#include "ui_QEMail.h"

#include <QStyle>

namespace tq {

QEMail::QEMail(const PrefsContext &context, QWidget *parent)
    : PrefsPage(context, parent)
    , m_ui(std::make_unique<Ui::QEMail>())
    , m_values(EMailSetupValues::read(context.settings))
    , m_state(m_values.mailChecking, m_values.useSecond)
    , m_mailCheckingAtStart(m_values.mailChecking)
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("emailPage"));
    m_ui->mailMinutesSpin->setRange(EMailSetupValues::kMinMinutes, EMailSetupValues::kMaxMinutes);
    m_ui->mailMinutesSpin->setValue(m_values.mailCheckingTime);
    m_ui->playMailSoundCheck->setChecked(m_values.playMailSound);
    m_ui->emailProgramEdit->setText(m_values.emailProgram);
    m_ui->server1Edit->setText(m_values.first.server);
    m_ui->user1Edit->setText(m_values.first.user);
    m_ui->password1Edit->setText(m_values.first.password);
    m_ui->server2Edit->setText(m_values.second.server);
    m_ui->user2Edit->setText(m_values.second.user);
    m_ui->password2Edit->setText(m_values.second.password);
    m_ui->smtpServerEdit->setText(m_values.smtpServer);
    // Until the page is shown the mail controls wait, disabled, for the first mailbox's test.
    m_ui->mailCheckingCheck->setEnabled(false);
    m_ui->mailMinutesSpin->setEnabled(false);
    m_ui->minutesLabel->setEnabled(false);
    m_ui->playMailSoundCheck->setEnabled(false);
    m_ui->mailCheckingCheck->setChecked(m_state.mailChecking());
    m_ui->secondMailboxCheck->setChecked(m_state.useSecond());

    m_ui->programBrowseButton->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    m_ui->runButton->setIcon(style()->standardIcon(QStyle::SP_CommandLink));
    m_ui->runButton->setToolTip(tqString(Sid::TipRunProgram));

    const auto firstEdited = [this] {
        m_state.firstMailboxEdited(m_ui->server1Edit->text(), m_ui->user1Edit->text());
        showStates();
    };
    const auto secondEdited = [this] {
        m_state.secondMailboxEdited(m_ui->server2Edit->text(), m_ui->user2Edit->text());
        showStates();
    };
    connect(m_ui->server1Edit, &QLineEdit::textChanged, this, firstEdited);
    connect(m_ui->user1Edit, &QLineEdit::textChanged, this, firstEdited);
    connect(m_ui->server2Edit, &QLineEdit::textChanged, this, secondEdited);
    connect(m_ui->user2Edit, &QLineEdit::textChanged, this, secondEdited);
    connect(m_ui->mailCheckingCheck, &QCheckBox::clicked, this, &QEMail::toggleMailChecking);
    connect(m_ui->secondMailboxCheck, &QCheckBox::clicked, this, [this](bool on) { m_state.setUseSecond(on); });
    connect(m_ui->programBrowseButton, &QPushButton::clicked, this, &QEMail::browseProgram);
    connect(m_ui->runButton, &QToolButton::clicked, this, &QEMail::runProgram);
    connect(m_ui->checkNowButton, &QPushButton::clicked, this, &QEMail::checkNow);
}

QEMail::~QEMail() = default;

void QEMail::onFirstShow()
{
    setHeadings({m_ui->notificationsHeading, m_ui->serversHeading});
    m_state.shown(firstAccount());
    showStates();
}

MailboxAccount QEMail::firstAccount() const
{
    return {m_ui->server1Edit->text(), m_ui->user1Edit->text(), m_ui->password1Edit->text()};
}

MailboxAccount QEMail::secondAccount() const
{
    return {m_ui->server2Edit->text(), m_ui->user2Edit->text(), m_ui->password2Edit->text()};
}

void QEMail::showStates()
{
    const EMailControlStates &states = m_state.states();
    m_ui->mailCheckingCheck->setChecked(m_state.mailChecking());
    m_ui->mailCheckingCheck->setEnabled(states.mailCheckBox);
    m_ui->mailMinutesSpin->setEnabled(states.mailDetails);
    m_ui->minutesLabel->setEnabled(states.mailDetails);
    m_ui->playMailSoundCheck->setEnabled(states.mailDetails);
    m_ui->checkNowButton->setEnabled(states.checkNow);
    m_ui->secondMailboxCheck->setChecked(m_state.useSecond());
    m_ui->secondMailboxCheck->setEnabled(states.secondMailbox);
}

void QEMail::toggleMailChecking()
{
    // Switching starts the counts afresh, so the next check announces what it finds.
    m_context.mailCounts.reset();
    const bool on = m_state.toggleMailChecking();
    m_toggled = true;
    showStates();
    m_context.settings.set(keys::EnableMailCheking, on ? 1 : 0);
}

void QEMail::switchMailChecking(bool on)
{
    if (m_state.mailChecking() != on) {
        toggleMailChecking();
        return;
    }
    m_context.mailCounts.reset();
    m_toggled = true;
    m_context.settings.set(keys::EnableMailCheking, on ? 1 : 0);
}

void QEMail::checkNow()
{
    const MailCheckRequest request = MailCheckRequest::make(
        firstAccount(), secondAccount(), m_ui->secondMailboxCheck->isChecked(), m_ui->playMailSoundCheck->isChecked());
    auto *dialog = new CMailCheckDlg(request, m_context.mailAnnouncer, m_context.mailCounts, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_checkDialog = dialog;
    dialog->open();
}

CMailCheckDlg *QEMail::checkDialog() const
{
    return m_checkDialog;
}

void QEMail::browseProgram()
{
    const QString initial = browseInitialName(m_ui->emailProgramEdit->text(), QStringLiteral("*.exe"));
    const QString chosen =
        m_context.prompter.openFileName({}, initial, dialogFileFilter(tqString(Sid::FilterApplications)));
    if (!chosen.isEmpty())
        m_ui->emailProgramEdit->setText(chosen);
}

void QEMail::runProgram()
{
    const QString program = m_ui->emailProgramEdit->text();
    if (!program.trimmed().isEmpty())
        m_context.shell.runCommandLine(program);
}

QWidget *QEMail::fieldWidget(PrefField field) const
{
    switch (field) {
    case PrefField::MailCheckingTime:
        return m_ui->mailMinutesSpin;
    case PrefField::UserName1:
        return m_ui->user1Edit;
    case PrefField::UserName2:
        return m_ui->user2Edit;
    case PrefField::Password1:
        return m_ui->password1Edit;
    case PrefField::Password2:
        return m_ui->password2Edit;
    default:
        return nullptr;
    }
}

std::optional<FieldProblem> QEMail::collect()
{
    m_values.mailChecking = m_state.mailChecking();
    m_values.mailCheckingTime = m_ui->mailMinutesSpin->value();
    m_values.playMailSound = m_ui->playMailSoundCheck->isChecked();
    m_values.emailProgram = m_ui->emailProgramEdit->text();
    m_values.first = firstAccount();
    m_values.second = secondAccount();
    m_values.useSecond = m_ui->secondMailboxCheck->isChecked();
    m_values.smtpServer = m_ui->smtpServerEdit->text();
    return m_values.check();
}

void QEMail::apply()
{
    m_values.write(m_context.settings);
}

void QEMail::cancel()
{
    if (wasShown() || m_toggled)
        m_context.settings.set(keys::EnableMailCheking, m_mailCheckingAtStart ? 1 : 0);
}

} // namespace tq
