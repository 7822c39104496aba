#pragma once

#include <QDBusConnection>
#include <QString>

namespace tq {

// A notice through the desktop's notification service (org.freedesktop.Notifications on the
// session bus), for desktops where no tray icon can carry it. Sent without waiting for an
// answer; false when there is no session bus to send it on.
bool sendDesktopNotification(const QString &title, const QString &text,
                             QDBusConnection bus = QDBusConnection::sessionBus());

} // namespace tq
