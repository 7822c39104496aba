#include "mail/RealMailServer.h"

#include "support/Files.h"
#include "support/LoopbackPeer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tq::test {
namespace {

// Creates the unprivileged owner of the test mailboxes on first use. Parallel test programs may
// race to create it; whoever loses finds it made.
bool ensureMailUser(uid_t &uid, gid_t &gid)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (const passwd *entry = ::getpwnam(kMailUserName)) {
            uid = entry->pw_uid;
            gid = entry->pw_gid;
            return true;
        }
        if (attempt == 0)
            QProcess::execute(QStringLiteral("useradd"),
                              QStringLiteral("--system --no-create-home --home-dir /nonexistent --shell "
                                             "/usr/sbin/nologin --user-group %1")
                                  .arg(QLatin1String(kMailUserName))
                                  .split(u' '));
        else
            QThread::msleep(100);
    }
    return false;
}

bool greets(int port, const QByteArray &prefix)
{
    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (UniqueFd fd = connectLoopback(port, "127.0.0.1", 500); fd.valid()) {
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

} // namespace

QString RealMailServer::unavailableReason(const char *program, const char *package)
{
    if (!QFileInfo(QString::fromUtf8(program)).isExecutable())
        return QStringLiteral("%1 is not installed (Debian package %2; scripts/test installs it when run as root)")
            .arg(QString::fromUtf8(program), QString::fromUtf8(package));
    if (::geteuid() != 0)
        return QStringLiteral("%1 needs root to run its own instance; run the tests as root")
            .arg(QString::fromUtf8(program));
    return {};
}

RealMailServer::~RealMailServer()
{
    stop();
    if (m_folder.startsWith(QStringLiteral("/tmp/")))
        QDir(m_folder).removeRecursively();
}

QString RealMailServer::serverText() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

bool RealMailServer::prepare(const char *prefix)
{
    if (!ensureMailUser(m_uid, m_gid)) {
        m_error = QStringLiteral("could not create the system user %1").arg(QLatin1String(kMailUserName));
        return false;
    }
    QByteArray pattern = QByteArray("/tmp/") + prefix + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        m_error = QStringLiteral("cannot create a folder under /tmp");
        return false;
    }
    m_folder = QString::fromLocal8Bit(pattern);
    // The mail user passes through to its mailboxes.
    QFile::setPermissions(m_folder,
                          QFile::permissions(m_folder) | QFile::ExeGroup | QFile::ExeOther | QFile::ReadGroup
                              | QFile::ReadOther);
    QDir(m_folder).mkdir(QStringLiteral("mail"));
    if (::chown(QFile::encodeName(m_folder + QStringLiteral("/mail")).constData(), m_uid, m_gid) != 0) {
        m_error = QStringLiteral("cannot hand the mail folder to the mail user");
        return false;
    }
    return true;
}

bool RealMailServer::launch(const char *program, const std::function<QStringList(int port)> &configure,
                            const QByteArray &greeting, const QStringList &logs)
{
    const QString console = m_folder + u'/' + logs.value(0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_port = unusedTcpPort();
        m_process.setProgram(QString::fromLatin1(program));
        m_process.setArguments(configure(m_port));
        m_process.setStandardOutputFile(console, QIODevice::Append);
        m_process.setStandardErrorFile(console, QIODevice::Append);
        m_process.setStandardInputFile(QProcess::nullDevice());
        // A test program that crashes takes its servers with it.
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_process.start();
        if (!m_process.waitForStarted(5000)) {
            m_error = QStringLiteral("%1 did not start").arg(QLatin1String(program));
            return false;
        }
        if (greets(m_port, greeting) && m_process.state() == QProcess::Running)
            return true;
        stop();
    }
    m_error = QStringLiteral("%1 did not answer on its port; its log:\n").arg(QLatin1String(program));
    for (const QString &log : logs)
        m_error += QString::fromUtf8(readFile(m_folder + u'/' + log));
    return false;
}

void RealMailServer::giveToMailUser(const QString &path) const
{
    [[maybe_unused]] const int owned = ::chown(QFile::encodeName(path).constData(), m_uid, m_gid);
}

void RealMailServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

} // namespace tq::test
