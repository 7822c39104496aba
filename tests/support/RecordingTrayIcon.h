#pragma once

#include "platform/TrayIcon.h"

#include <QList>
#include <QString>

namespace tq::test {

// A tray icon that keeps what it was told. `available` plays the desktop's notification area.
class RecordingTrayIcon : public TrayIcon {
public:
    bool isAvailable() const override { return available; }
    void setIconName(const QString &name) override { iconName = name; }
    void setToolTip(const QString &tip) override { toolTip = tip.left(kMaxTipLength); }
    void show() override { shown = true; }
    void hide() override { shown = false; }
    bool isShown() const override { return shown; }
    void setActivationHandler(std::function<void(Activation)> handler) override { m_handler = std::move(handler); }
    void setContextMenu(QMenu *menu) override { contextMenu = menu; }
    void showMessage(const QString &title, const QString &text) override { messages.append({title, text}); }

    // The user clicks the icon.
    void activate(Activation activation)
    {
        if (m_handler)
            m_handler(activation);
    }

    bool available = true;
    bool shown = false;
    QString iconName;
    QString toolTip;
    QMenu *contextMenu = nullptr;
    struct Message {
        QString title;
        QString text;
    };
    QList<Message> messages;

private:
    std::function<void(Activation)> m_handler;
};

} // namespace tq::test
