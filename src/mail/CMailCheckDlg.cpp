#include "mail/CMailCheckDlg.h"

#include "mail/CCheckMailThread.h"
#include "mail/MailAnnouncer.h"
#include "mail/MailTray.h"
#include "res/StringTable.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tq {
namespace {

constexpr int kBarEnd = 600;
constexpr int kAcceptedPosition = 240;
constexpr int kStepAdvance = 60;
constexpr std::chrono::milliseconds kTick{500};

QString cancelText()
{
    return QCoreApplication::translate("tq", "Cancel");
}

QString okText()
{
    return QCoreApplication::translate("tq", "OK");
}

} // namespace

CMailCheckDlg::CMailCheckDlg(const MailCheckRequest &request, MailAnnouncer &announcer, MailCounts &counts,
                             QWidget *owner)
    : QDialog(owner)
    , m_request(request)
    , m_announcer(announcer)
    , m_counts(counts)
    , m_socketTimeout(CCheckMailThread::kSocketTimeout)
{
    setWindowTitle(QCoreApplication::translate("tq", "Cheking for new mail"));
    m_statusLine = new QLabel(this);
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    m_previousLine = new QLabel(this);
    m_previousLine->setObjectName(QStringLiteral("previousLine"));
    for (QLabel *label : {m_statusLine, m_previousLine}) {
        label->setTextFormat(Qt::PlainText);
        label->setMinimumWidth(320);
    }
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("progressBar"));
    m_bar->setRange(0, kBarEnd);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_button = new QPushButton(cancelText(), this);
    m_button->setObjectName(QStringLiteral("closeButton"));
    m_button->setDefault(true);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_button);
    buttonRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_statusLine);
    layout->addWidget(m_previousLine);
    layout->addWidget(m_bar);
    layout->addLayout(buttonRow);

    connect(m_button, &QPushButton::clicked, this, &QDialog::accept);
    connect(&m_stepTimer, &QTimer::timeout, this, [this] { advanceBar(1); });
}

CMailCheckDlg::~CMailCheckDlg() = default;

void CMailCheckDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_check)
        startCheck();
}

void CMailCheckDlg::done(int result)
{
    m_stepTimer.stop();
    if (m_check)
        m_check->cancel();
    QDialog::done(result);
}

void CMailCheckDlg::startCheck()
{
    m_check = std::make_unique<CCheckMailThread>(m_request, m_counts);
    m_check->setSocketTimeout(m_socketTimeout);
    CCheckMailThread *check = m_check.get();
    announceChecks(*check, m_announcer, this);
    connect(check, &CCheckMailThread::progress, this, &CMailCheckDlg::onProgress);
    connect(check, &CCheckMailThread::finished, this, &CMailCheckDlg::onCheckFinished);
    check->start();
}

void CMailCheckDlg::onProgress(int mailbox, int step)
{
    const MailboxAccount &account = mailbox == kSecondMailbox ? m_request.second : m_request.first;
    if (step >= mailstep::CountBase) {
        const QByteArray user = account.user.toUtf8();
        m_statusLine->setText(tqFormat(Sid::MailCheckCountFormat, step - mailstep::CountBase, user.constData()));
        m_bar->setValue(kBarEnd);
        finishSteps();
        return;
    }
    switch (step) {
    case mailstep::Connecting:
        if (mailbox == kSecondMailbox) {
            m_previousLine->setText(m_statusLine->text());
            m_button->setText(cancelText());
        }
        m_statusLine->setText(tqString(Sid::MailCheckConnecting) + account.server);
        m_bar->setValue(0);
        m_stepTimer.start(kTick);
        break;
    case mailstep::Accepted:
        m_statusLine->setText(tqString(Sid::MailCheckAccepted));
        m_bar->setValue(kAcceptedPosition);
        break;
    case mailstep::UserSent:
    case mailstep::UserAccepted:
    case mailstep::PasswordSent:
    case mailstep::PasswordAccepted:
        m_statusLine->setText(
            tqString(static_cast<Sid>(static_cast<int>(Sid::MailCheckUserSent) + step - mailstep::UserSent))
            + account.user);
        advanceBar(kStepAdvance);
        break;
    case mailstep::Counting:
        m_statusLine->setText(tqString(Sid::MailCheckCounting));
        advanceBar(kStepAdvance);
        break;
    case mailstep::CountFailed:
        m_statusLine->setText(tqString(Sid::MailCheckStatFailed) + account.server);
        finishSteps();
        break;
    case mailstep::AuthFailed:
        m_statusLine->setText(tqString(Sid::MailCheckAuthFailed) + account.user);
        finishSteps();
        break;
    case mailstep::ConnectFailed:
        m_statusLine->setText(tqString(Sid::MailCheckConnectFailed) + account.server);
        finishSteps();
        break;
    default:
        break;
    }
}

void CMailCheckDlg::onCheckFinished()
{
    // Whatever the last step said, the check is over: nothing is left to cancel.
    finishSteps();
}

void CMailCheckDlg::finishSteps()
{
    m_stepTimer.stop();
    m_button->setText(okText());
}

void CMailCheckDlg::advanceBar(int by)
{
    m_bar->setValue(std::min(m_bar->value() + by, kBarEnd));
}

} // namespace tq
