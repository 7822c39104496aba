#include "mail/ServerProcess.h"

#include "support/LoopbackPeer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tq::test {

QString realServerUnavailableReason(const char *program, const char *package)
{
    if (!QFileInfo(QString::fromUtf8(program)).isExecutable())
        return QStringLiteral("%1 is not installed (Debian package %2; scripts/test installs it when run as root)")
            .arg(QString::fromUtf8(program), QString::fromUtf8(package));
    if (::geteuid() != 0)
        return QStringLiteral("%1 needs root to run its own instance; run the tests as root")
            .arg(QString::fromUtf8(program));
    return {};
}

bool ensureMailUser(MailUser &user, QString &error)
{
    // Parallel test programs may race to create the account; whoever loses finds it made.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (const passwd *entry = ::getpwnam(kMailUserName)) {
            user = {entry->pw_uid, entry->pw_gid};
            return true;
        }
        if (attempt == 0) {
            QProcess::execute(QStringLiteral("useradd"),
                              {QStringLiteral("--system"), QStringLiteral("--no-create-home"),
                               QStringLiteral("--home-dir"), QStringLiteral("/nonexistent"), QStringLiteral("--shell"),
                               QStringLiteral("/usr/sbin/nologin"), QStringLiteral("--user-group"),
                               QString::fromLatin1(kMailUserName)});
        } else {
            QThread::msleep(100);
        }
    }
    error = QStringLiteral("could not create the system user %1").arg(QString::fromLatin1(kMailUserName));
    return false;
}

QString makeServerFolder(const char *prefix, QString &error)
{
    QByteArray pattern = QByteArray("/tmp/") + prefix + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = QStringLiteral("cannot create a folder under /tmp");
        return {};
    }
    const QString path = QString::fromLocal8Bit(pattern);
    QFile::setPermissions(path,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                              | QFile::ReadOther | QFile::ExeOther);
    return path;
}

void removeServerFolder(const QString &path)
{
    if (path.startsWith(QStringLiteral("/tmp/")))
        QDir(path).removeRecursively();
}

ServerProcess::~ServerProcess()
{
    stop();
}

bool ServerProcess::start(const QString &program, const QStringList &arguments, const QString &logPath)
{
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(program);
    m_process->setArguments(arguments);
    m_process->setStandardOutputFile(logPath, QIODevice::Append);
    m_process->setStandardErrorFile(logPath, QIODevice::Append);
    m_process->setStandardInputFile(QProcess::nullDevice());
    // A test program that crashes takes its servers with it.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process->start();
    return m_process->waitForStarted(5000);
}

void ServerProcess::stop()
{
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return;
    m_process->terminate();
    if (!m_process->waitForFinished(10000)) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
}

bool ServerProcess::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

bool waitForGreeting(int port, const QByteArray &prefix, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        UniqueFd fd = connectLoopback(port, "127.0.0.1", 500);
        if (fd.valid()) {
            pollfd pfd{fd.get(), POLLIN, 0};
            char buffer[256];
            if (::poll(&pfd, 1, 3000) == 1) {
                const ssize_t count = ::recv(fd.get(), buffer, sizeof buffer, 0);
                if (count > 0 && QByteArray(buffer, count).startsWith(prefix))
                    return true;
            }
        }
        QThread::msleep(50);
    }
    return false;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace tq::test
