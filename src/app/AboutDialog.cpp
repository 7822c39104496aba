#include "app/AboutDialog.h"

#include "platform/Shell.h"
#include "res/PaintedIcons.h"
#include "res/StringTable.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace tq {
namespace {

QLabel *linkLabel(const QString &target, const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(target.toHtmlEscaped(), text.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setOpenExternalLinks(false);
    return label;
}

} // namespace

AboutDialog::AboutDialog(const QString &url, Shell &shell, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(tqString(Sid::AboutCaption));

    auto *icon = new QLabel(this);
    icon->setPixmap(paintedIcon(QStringLiteral("IDI_AMAINFRAME")).pixmap(48, 48));
    auto *product = new QLabel(tqString(Sid::AppTitle), this);
    product->setObjectName(QStringLiteral("productLabel"));
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    product->setFont(bold);
    auto *company = new QLabel(QStringLiteral("Tarquel International"), this);

    const QString web = QStringLiteral("http://") + url;
    const QString mail = QLatin1String(kMailAddress);
    m_webLink = linkLabel(web, web, QStringLiteral("webLink"), this);
    m_mailLink = linkLabel(QStringLiteral("mailto:") + mail, mail, QStringLiteral("mailLink"), this);
    for (QLabel *link : {m_webLink, m_mailLink}) {
        connect(link, &QLabel::linkActivated, this, [&shell](const QString &target) { shell.openUrl(QUrl(target)); });
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(product, 0, 1);
    layout->addWidget(company, 1, 1);
    layout->addWidget(m_webLink, 2, 1);
    layout->addWidget(m_mailLink, 3, 1);
    layout->addWidget(buttons, 4, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace tq
