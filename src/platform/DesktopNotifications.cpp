#include "platform/DesktopNotifications.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace tq {
namespace {

// The body may hold markup for servers that understand it; the text is meant as plain text.
QString plainBody(const QString &text)
{
    QString body = text;
    body.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    body.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    body.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return body;
}

} // namespace

bool sendDesktopNotification(const QString &title, const QString &text, QDBusConnection bus)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("tarquel-messenger")}};
    const QString icon = QStringLiteral("tarquel-messenger");
    call << QStringLiteral("Tarquel Messenger") << 0u << icon << title << plainBody(text) << QStringList() << hints
         << -1;
    return bus.send(call);
}

} // namespace tq
