#include "mail/OpenSmtpdServer.h"

#include "support/LoopbackPeer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>

namespace tq::test {
namespace {

constexpr char kSmtpd[] = "/usr/sbin/smtpd";
constexpr char kLockPath[] = "/tmp/tq-opensmtpd.lock";
constexpr char kSpool[] = "/var/spool/smtpd";
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

// Mail left in the queue by an earlier run would be delivered again into folders long gone.
void emptySpool()
{
    QDir spool(QString::fromLatin1(kSpool));
    const auto entries = spool.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

} // namespace

QString OpenSmtpdServer::unavailableReason()
{
    return realServerUnavailableReason(kSmtpd, "opensmtpd");
}

OpenSmtpdServer::OpenSmtpdServer(QString refusedAddress)
    : m_refused(std::move(refusedAddress))
{
}

OpenSmtpdServer::~OpenSmtpdServer()
{
    m_process.stop();
    removeServerFolder(m_folder);
}

bool OpenSmtpdServer::start(bool &skip)
{
    skip = false;
    m_lock = UniqueFd(::open(kLockPath, O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (!m_lock.valid() || ::flock(m_lock.get(), LOCK_EX) != 0) {
        m_error = QStringLiteral("cannot lock %1").arg(QString::fromLatin1(kLockPath));
        return false;
    }
    if (controlSocketAnswers()) {
        skip = true;
        m_error = QStringLiteral("another OpenSMTPD runs on this machine (stop it: service opensmtpd stop)");
        return false;
    }
    emptySpool();

    MailUser user;
    if (!ensureMailUser(user, m_error))
        return false;
    m_folder = makeServerFolder("tqsm", m_error);
    if (m_folder.isEmpty())
        return false;
    const QString mail = m_folder + QStringLiteral("/mail");
    QDir().mkdir(mail);
    if (::chown(QFile::encodeName(mail).constData(), user.uid, user.gid) != 0) {
        m_error = QStringLiteral("cannot hand the mail folder to the mail user");
        return false;
    }

    for (int attempt = 0; attempt < 3; ++attempt) {
        m_port = unusedTcpPort();
        const QByteArray config = QStringLiteral("table everyone { \"@\" = \"%1\" }\nlisten on 127.0.0.1 port %2\n"
                                                 "action \"deliver\" maildir \"%3/%{rcpt}\" virtual <everyone>\n"
                                                 "match from any for rcpt-to \"%4\" reject\n"
                                                 "match from any for any action \"deliver\"\n")
                                      .arg(QLatin1String(kMailUserName))
                                      .arg(m_port)
                                      .arg(mail, m_refused)
                                      .toUtf8();
        const QString configPath = m_folder + QStringLiteral("/smtpd.conf");
        QFile file(configPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(config) != config.size()) {
            m_error = QStringLiteral("cannot write the OpenSMTPD configuration");
            return false;
        }
        file.close();
        if (!m_process.start(QString::fromLatin1(kSmtpd), {QStringLiteral("-d"), QStringLiteral("-f"), configPath},
                             m_folder + QStringLiteral("/smtpd.log"))) {
            m_error = QStringLiteral("smtpd did not start");
            return false;
        }
        if (waitForGreeting(m_port, "220") && m_process.isRunning())
            return true;
        m_process.stop();
    }
    m_error = QStringLiteral("smtpd did not answer on its port; its log:\n")
        + QString::fromUtf8(readFile(m_folder + QStringLiteral("/smtpd.log")));
    return false;
}

QString OpenSmtpdServer::serverText() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

QByteArrayList OpenSmtpdServer::delivered(const QString &address, int count, int timeoutMs) const
{
    const QDir box(m_folder + QStringLiteral("/mail/") + address + QStringLiteral("/new"));
    QDeadlineTimer deadline(timeoutMs);
    QByteArrayList mails;
    while (true) {
        mails.clear();
        const auto files = box.entryInfoList(QDir::Files, QDir::Time | QDir::Reversed);
        for (const QFileInfo &file : files)
            mails.append(readFile(file.filePath()));
        if (mails.size() >= count || deadline.hasExpired())
            return mails;
        QThread::msleep(50);
    }
}

} // namespace tq::test
