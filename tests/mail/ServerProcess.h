#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <memory>

namespace tq::test {

// Why a real mail server from the distribution cannot run in this test, or empty when it can:
// it must be installed and the test must run as root.
QString realServerUnavailableReason(const char *program, const char *package);

// The unprivileged account that owns the test mailboxes (the servers refuse to deliver as
// root); created on first use.
struct MailUser {
    uid_t uid = 0;
    gid_t gid = 0;
};
bool ensureMailUser(MailUser &user, QString &error);
inline constexpr char kMailUserName[] = "tqmailtest";

// A short private folder under /tmp that the mail user may pass through: server sockets live
// in it, and their paths must stay short.
QString makeServerFolder(const char *prefix, QString &error);
void removeServerFolder(const QString &path);

// A server program run in the foreground, ended when this object goes away or when the test
// program dies.
class ServerProcess {
public:
    ~ServerProcess();
    bool start(const QString &program, const QStringList &arguments, const QString &logPath);
    void stop();
    bool isRunning() const;

private:
    std::unique_ptr<QProcess> m_process;
};

// Connects to the loopback port until the server greets with `prefix`, or `timeoutMs` passes.
bool waitForGreeting(int port, const QByteArray &prefix, int timeoutMs = 15000);

QByteArray readFile(const QString &path);

} // namespace tq::test
