#pragma once

#include "mail/MailTray.h"
#include "platform/TrayIcon.h"

#include <QObject>

#include <functional>
#include <map>

class QMenu;
class QSystemTrayIcon;

namespace tq {

// The three mail icons of the tray (111, 112, 113), each a notification-area icon of its own,
// made when first shown. They share one menu and one activation handler.
class MailTrayIcons : public QObject, public MailTray {
    Q_OBJECT
public:
    explicit MailTrayIcons(QObject *parent = nullptr);
    ~MailTrayIcons() override;

    void showMailIcon(int id, const QString &tip) override;
    void removeMailIcon(int id) override;

    bool isShown(int id) const;
    QString toolTip(int id) const;

    void setContextMenu(QMenu *menu);
    void setActivationHandler(std::function<void(TrayIcon::Activation)> handler);
    // New mail in a mailbox (a new-mail icon shown or brought up to date), with its tip.
    void setNewMailHandler(std::function<void(const QString &tip)> handler);

    // The user acts on icon `id`, as the desktop reports it.
    void activate(int id, TrayIcon::Activation activation);

private:
    QSystemTrayIcon *iconFor(int id);

    std::map<int, QSystemTrayIcon *> m_icons;
    QMenu *m_menu = nullptr;
    std::function<void(TrayIcon::Activation)> m_handler;
    std::function<void(const QString &)> m_newMail;
};

} // namespace tq
