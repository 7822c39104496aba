#include "mail/OpenSmtpdServer.h"

#include "support/Files.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>

namespace tq::test {
namespace {

constexpr char kLockPath[] = "/tmp/tq-opensmtpd.lock";
constexpr char kControlSocket[] = "/var/run/smtpd.sock";

// Another OpenSMTPD (the system's own) answers on the control socket.
bool controlSocketAnswers()
{
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::copy_n(kControlSocket, sizeof kControlSocket, address.sun_path);
    return ::connect(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
}

} // namespace

bool OpenSmtpdServer::start(const QString &refusedAddress, bool &skip)
{
    skip = false;
    m_lock = UniqueFd(::open(kLockPath, O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (!m_lock.valid() || ::flock(m_lock.get(), LOCK_EX) != 0) {
        m_error = QStringLiteral("cannot lock %1").arg(QLatin1String(kLockPath));
        return false;
    }
    // The processes of the previous test's server may still be on their way out.
    QDeadlineTimer othersGone(5000);
    while (controlSocketAnswers() && !othersGone.hasExpired())
        QThread::msleep(50);
    if (controlSocketAnswers()) {
        skip = true;
        m_error = QStringLiteral("another OpenSMTPD runs on this machine (stop it: service opensmtpd stop)");
        return false;
    }
    // Mail left in the queue by an earlier run would be delivered again into folders long gone.
    const QDir spool(QStringLiteral("/var/spool/smtpd"));
    for (const QFileInfo &entry :
         spool.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
    if (!prepare("tqsm"))
        return false;
    const QString configPath = m_folder + QStringLiteral("/smtpd.conf");
    return launch("/usr/sbin/smtpd",
                  [&](int port) {
                      writeFile(configPath,
                                QStringLiteral("table everyone { \"@\" = \"%1\" }\nlisten on 127.0.0.1 port %2\n"
                                               "action \"deliver\" maildir \"%3/mail/%{rcpt}\" virtual <everyone>\n"
                                               "match from any for rcpt-to \"%4\" reject\n"
                                               "match from any for any action \"deliver\"\n")
                                    .arg(QLatin1String(kMailUserName))
                                    .arg(port)
                                    .arg(m_folder, refusedAddress)
                                    .toUtf8());
                      return QStringList{QStringLiteral("-d"), QStringLiteral("-f"), configPath};
                  },
                  "220", {QStringLiteral("smtpd.log")});
}

QByteArrayList OpenSmtpdServer::delivered(const QString &address, int count, int timeoutMs) const
{
    const QDir box(m_folder + QStringLiteral("/mail/") + address + QStringLiteral("/new"));
    QDeadlineTimer deadline(timeoutMs);
    while (true) {
        QByteArrayList mails;
        for (const QFileInfo &file : box.entryInfoList(QDir::Files, QDir::Time | QDir::Reversed))
            mails.append(readFile(file.filePath()));
        if (mails.size() >= count || deadline.hasExpired())
            return mails;
        QThread::msleep(50);
    }
}

} // namespace tq::test
