#include "app/SingleInstance.h"

#include "platform/InstanceLock.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace tq {
namespace {

const QByteArray kRestoreRequest("restore\n");
constexpr int kConnectTimeoutMs = 2000;
constexpr qint64 kMaxRequestBytes = 64;

} // namespace

SingleInstance::SingleInstance(QString folder, QObject *parent)
    : QObject(parent)
    , m_folder(std::move(folder))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString SingleInstance::serverName() const
{
    return m_folder + QStringLiteral("/TarquelMessenger.socket");
}

bool SingleInstance::claim()
{
    if (m_server)
        return true;
    QDir().mkpath(m_folder);
    auto lock = std::make_unique<QLockFile>(instanceLockPath(m_folder));
    // The lock is held for the whole run; only a holder that no longer exists makes it stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        askRunningInstanceToRestore();
        return false;
    }
    m_lock = std::move(lock);

    // A socket left behind by a run that crashed would make listen() fail.
    QLocalServer::removeServer(serverName());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Without the socket a later launch cannot reach this one, but the lock still keeps it
    // from starting a second program, so this run goes on.
    m_server->listen(serverName());
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

bool SingleInstance::askRunningInstanceToRestore() const
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(kRestoreRequest);
    const bool sent = socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto readRequest = [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxRequestBytes)
                    socket->abort();
                return;
            }
            const QByteArray line = socket->readLine(kMaxRequestBytes);
            socket->disconnectFromServer();
            if (line == kRestoreRequest)
                Q_EMIT restoreRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, readRequest);
        if (socket->bytesAvailable() > 0)
            readRequest();
    }
}

} // namespace tq
