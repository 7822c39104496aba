#include "app/CFailedHostsDlg.h"

#include "platform/SoundPlayer.h"
#include "queue/QueueUnconfirmed.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tq {

CFailedHostsDlg::CFailedHostsDlg(const QString &caption, const QString &hosts, SoundPlayer &sounds, QWidget *parent)
    : QDialog(parent)
    , m_sounds(sounds)
{
    setObjectName(QStringLiteral("failedHostsDialog"));
    setWindowTitle(caption);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("warningIcon"));
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);

    auto *intro = new QLabel(tr("The following addresses possibly invalid\nor hosts not respond:"), this);
    intro->setObjectName(QStringLiteral("introText"));
    intro->setTextFormat(Qt::PlainText);

    m_hosts = new QPlainTextEdit(this);
    m_hosts->setObjectName(QStringLiteral("hostList"));
    m_hosts->setReadOnly(true);
    m_hosts->setLineWrapMode(QPlainTextEdit::NoWrap);
    QString lines = hosts;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_hosts->setPlainText(lines);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    m_deliverLater = buttons->addButton(deliverLaterText(), QDialogButtonBox::ActionRole);
    m_deliverLater->setObjectName(QStringLiteral("deliverLaterButton"));
    m_deliverLater->setVisible(false);
    connect(m_deliverLater, &QPushButton::clicked, this, [this] {
        accept();
        Q_EMIT deliverLaterRequested(unconfirmedDestinations(hostsText()));
    });

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(intro, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_hosts, 1);
    layout->addWidget(buttons);
    resize(320, 260);
}

QString CFailedHostsDlg::deliverLaterText()
{
    return tr("Deliver when reachable");
}

QString CFailedHostsDlg::hostsText() const
{
    return m_hosts->toPlainText();
}

void CFailedHostsDlg::offerDeliveryLater(bool offered)
{
    m_deliverLater->setVisible(offered);
}

void CFailedHostsDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_soundPlayed) {
        m_soundPlayed = true;
        m_sounds.play(QStringLiteral("SystemAsterisk"));
    }
}

} // namespace tq
