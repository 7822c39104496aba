#include "app/PowerNotices.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace tq {
namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

PowerNotices::PowerNotices(QObject *parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    // Qt's bus connections name their receiver; there is no pointer-to-member form.
    m_listening =
        bus.connect(kService, kPath, kManager, QStringLiteral("PrepareForSleep"), this, SLOT(onPrepareForSleep(bool)));
    if (m_listening)
        takeSleepDelay();
}

PowerNotices::~PowerNotices() = default;

void PowerNotices::takeSleepDelay()
{
    if (m_sleepDelay.isValid())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kManager, QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("Tarquel Messenger")
         << QStringLiteral("Stopping the message receivers") << QStringLiteral("delay");
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *finished;
        if (reply.isValid())
            m_sleepDelay = reply.value();
        finished->deleteLater();
    });
}

void PowerNotices::releaseSleepDelay()
{
    // Closing the descriptor ends the delay.
    m_sleepDelay = QDBusUnixFileDescriptor();
}

void PowerNotices::onPrepareForSleep(bool sleeping)
{
    if (sleeping) {
        Q_EMIT suspending();
    } else {
        takeSleepDelay();
        Q_EMIT resuming();
    }
}

} // namespace tq
