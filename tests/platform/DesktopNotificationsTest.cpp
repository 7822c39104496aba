#include "platform/DesktopNotifications.h"

#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QVariantMap>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

// The desktop's notification service as far as a notice needs it: what Notify was given.
class FakeNotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        QString appName;
        QString icon;
        QString summary;
        QString body;
        QVariantMap hints;
    };
    QList<Call> calls;

public Q_SLOTS:
    uint Notify(const QString &appName, uint, const QString &icon, const QString &summary, const QString &body,
                const QStringList &, const QVariantMap &hints, int)
    {
        calls.append({appName, icon, summary, body, hints});
        return uint(calls.size());
    }
};

// A session bus of the test's own, so nothing reaches the user's desktop.
class DesktopNotificationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(u"dbus-daemon"_s);
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        m_daemon.start(daemon, {u"--session"_s, u"--nofork"_s, u"--print-address"_s});
        ASSERT_TRUE(m_daemon.waitForStarted());
        ASSERT_TRUE(test::waitUntil([&] { return m_daemon.canReadLine(); }, 10000));
        m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(u"service"_s);
        QDBusConnection::disconnectFromBus(u"sender"_s);
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }
    QDBusConnection connect(const QString &name) const { return QDBusConnection::connectToBus(m_address, name); }

    QProcess m_daemon;
    QString m_address;
};

TEST_F(DesktopNotificationsTest, TheNoticeReachesTheServiceAsPlainTextFromTheProgramsEntry)
{
    FakeNotificationService service;
    QDBusConnection serviceBus = connect(u"service"_s);
    ASSERT_TRUE(serviceBus.isConnected());
    ASSERT_TRUE(
        serviceBus.registerObject(u"/org/freedesktop/Notifications"_s, &service, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(serviceBus.registerService(u"org.freedesktop.Notifications"_s));

    ASSERT_TRUE(sendDesktopNotification(u"Tarquel Messenger"_s, u"No tray <here> & there"_s, connect(u"sender"_s)));
    ASSERT_TRUE(test::waitUntil([&] { return !service.calls.isEmpty(); }, 10000));
    const FakeNotificationService::Call &call = service.calls.first();
    EXPECT_EQ(call.appName, u"Tarquel Messenger"_s);
    EXPECT_EQ(call.icon, u"tarquel-messenger"_s);
    EXPECT_EQ(call.summary, u"Tarquel Messenger"_s);
    // Servers that read markup in the body show the text as it was written.
    EXPECT_EQ(call.body, u"No tray &lt;here&gt; &amp; there"_s);
    EXPECT_EQ(call.hints.value(u"desktop-entry"_s).toString(), u"tarquel-messenger"_s);
}

TEST(DesktopNotificationsWithoutBusTest, NoBusSendsNothing)
{
    EXPECT_FALSE(sendDesktopNotification(u"t"_s, u"x"_s,
                                         QDBusConnection::connectToBus(u"unix:path=/nonexistent"_s, u"nowhere"_s)));
    QDBusConnection::disconnectFromBus(u"nowhere"_s);
}

} // namespace
} // namespace tq

#include "DesktopNotificationsTest.moc"
