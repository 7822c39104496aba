#pragma once

#include "platform/TrayIcon.h"

#include <QObject>

class QSystemTrayIcon;

namespace tq {

// A tray icon in the desktop's notification area, with the painted icons.
class SystemTrayIcon : public QObject, public TrayIcon {
    Q_OBJECT
public:
    explicit SystemTrayIcon(QObject *parent = nullptr);
    ~SystemTrayIcon() override;

    bool isAvailable() const override;
    void setIconName(const QString &name) override;
    void setToolTip(const QString &tip) override;
    void show() override;
    void hide() override;
    bool isShown() const override;
    void setActivationHandler(std::function<void(Activation)> handler) override;
    void setContextMenu(QMenu *menu) override;
    void showMessage(const QString &title, const QString &text) override;

    QSystemTrayIcon *icon() const { return m_icon; }

private:
    QSystemTrayIcon *m_icon = nullptr;
    QString m_iconName;
    std::function<void(Activation)> m_handler;
};

} // namespace tq
