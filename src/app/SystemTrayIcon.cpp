#include "app/SystemTrayIcon.h"

#include "platform/DesktopNotifications.h"
#include "res/PaintedIcons.h"

#include <QSystemTrayIcon>

namespace tq {

SystemTrayIcon::SystemTrayIcon(QObject *parent)
    : QObject(parent)
    , m_icon(new QSystemTrayIcon(this))
{
    setIconName(QStringLiteral("IDI_AMAINFRAME"));
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (!m_handler)
            return;
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            m_handler(Activation::Click);
            break;
        case QSystemTrayIcon::DoubleClick:
            m_handler(Activation::DoubleClick);
            break;
        case QSystemTrayIcon::Context:
            m_handler(Activation::Context);
            break;
        default:
            m_handler(Activation::Other);
            break;
        }
    });
}

SystemTrayIcon::~SystemTrayIcon() = default;

bool SystemTrayIcon::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTrayIcon::setIconName(const QString &name)
{
    if (name == m_iconName)
        return;
    m_iconName = name;
    m_icon->setIcon(paintedIcon(name));
}

void SystemTrayIcon::setToolTip(const QString &tip)
{
    m_icon->setToolTip(tip.left(kMaxTipLength));
}

void SystemTrayIcon::show()
{
    m_icon->show();
}

void SystemTrayIcon::hide()
{
    m_icon->hide();
}

bool SystemTrayIcon::isShown() const
{
    return m_icon->isVisible();
}

void SystemTrayIcon::setActivationHandler(std::function<void(Activation)> handler)
{
    m_handler = std::move(handler);
}

void SystemTrayIcon::setContextMenu(QMenu *menu)
{
    m_icon->setContextMenu(menu);
}

void SystemTrayIcon::showMessage(const QString &title, const QString &text)
{
    // Without a notification area the desktop's notification service still shows the notice.
    if (!isAvailable()) {
        sendDesktopNotification(title, text);
        return;
    }
    m_icon->showMessage(title, text, paintedIcon(QStringLiteral("IDI_AMAINFRAME")));
}

} // namespace tq
