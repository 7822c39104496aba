#include "app/MailTrayIcons.h"

#include "app/ShellIcons.h"

#include <QApplication>
#include <QStyle>
#include <QSystemTrayIcon>

namespace tq {

MailTrayIcons::MailTrayIcons(QObject *parent)
    : QObject(parent)
{
}

MailTrayIcons::~MailTrayIcons() = default;

QSystemTrayIcon *MailTrayIcons::iconFor(int id)
{
    if (const auto it = m_icons.find(id); it != m_icons.end())
        return it->second;
    auto *icon = new QSystemTrayIcon(this);
    icon->setIcon(id == kMailErrorIcon ? QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)
                                       : newMailIcon(id));
    icon->setContextMenu(m_menu);
    connect(icon, &QSystemTrayIcon::activated, this, [this, id](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            activate(id, TrayIcon::Activation::Click);
            break;
        case QSystemTrayIcon::DoubleClick:
            activate(id, TrayIcon::Activation::DoubleClick);
            break;
        case QSystemTrayIcon::Context:
            activate(id, TrayIcon::Activation::Context);
            break;
        default:
            activate(id, TrayIcon::Activation::Other);
            break;
        }
    });
    m_icons.emplace(id, icon);
    return icon;
}

void MailTrayIcons::showMailIcon(int id, const QString &tip)
{
    if (id != kFirstMailbox && id != kSecondMailbox && id != kMailErrorIcon)
        return;
    QSystemTrayIcon *icon = iconFor(id);
    icon->setToolTip(tip.left(TrayIcon::kMaxTipLength));
    icon->show();
    if (id != kMailErrorIcon && m_newMail)
        m_newMail(tip);
}

void MailTrayIcons::removeMailIcon(int id)
{
    if (const auto it = m_icons.find(id); it != m_icons.end())
        it->second->hide();
}

bool MailTrayIcons::isShown(int id) const
{
    const auto it = m_icons.find(id);
    return it != m_icons.end() && it->second->isVisible();
}

QString MailTrayIcons::toolTip(int id) const
{
    const auto it = m_icons.find(id);
    return it == m_icons.end() ? QString() : it->second->toolTip();
}

void MailTrayIcons::setContextMenu(QMenu *menu)
{
    m_menu = menu;
    for (const auto &entry : m_icons)
        entry.second->setContextMenu(menu);
}

void MailTrayIcons::setActivationHandler(std::function<void(TrayIcon::Activation)> handler)
{
    m_handler = std::move(handler);
}

void MailTrayIcons::setNewMailHandler(std::function<void(const QString &)> handler)
{
    m_newMail = std::move(handler);
}

void MailTrayIcons::activate(int id, TrayIcon::Activation activation)
{
    if (m_handler && isShown(id))
        m_handler(activation);
}

} // namespace tq
