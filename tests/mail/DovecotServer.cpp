#include "mail/DovecotServer.h"

#include "support/LoopbackPeer.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <unistd.h>

namespace tq::test {
namespace {

constexpr char kDovecot[] = "/usr/sbin/dovecot";

bool writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

} // namespace

QString DovecotServer::unavailableReason()
{
    const QString reason = realServerUnavailableReason(kDovecot, "dovecot-core");
    if (!reason.isEmpty())
        return reason;
    if (!QFile::exists(QStringLiteral("/usr/lib/dovecot/pop3")))
        return QStringLiteral("Dovecot's POP3 server is not installed (Debian package dovecot-pop3d)");
    return {};
}

DovecotServer::~DovecotServer()
{
    m_process.stop();
    removeServerFolder(m_folder);
}

void DovecotServer::addUser(const QString &user, const QString &password)
{
    m_users.append({user, password});
    if (!m_folder.isEmpty())
        writeUsers();
}

void DovecotServer::writeUsers()
{
    QByteArray passwd;
    for (const auto &[user, password] : std::as_const(m_users)) {
        passwd += (user + QStringLiteral(":{PLAIN}") + password + QStringLiteral("::::::\n")).toUtf8();
        if (!QFile::exists(mailboxPath(user)))
            setMessageCount(user, 0);
    }
    // Dovecot reads the file again when it changes.
    QSaveFile file(m_folder + QStringLiteral("/passwd"));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(passwd);
        file.commit();
    }
}

bool DovecotServer::start()
{
    if (!ensureMailUser(m_mailUser, m_error))
        return false;
    m_folder = makeServerFolder("tqdv", m_error);
    if (m_folder.isEmpty())
        return false;
    for (const char *sub : {"run", "state", "mail"})
        QDir(m_folder).mkdir(QString::fromLatin1(sub));
    if (::chown(QFile::encodeName(m_folder + QStringLiteral("/mail")).constData(), m_mailUser.uid, m_mailUser.gid)
        != 0) {
        m_error = QStringLiteral("cannot hand the mail folder to the mail user");
        return false;
    }
    writeUsers();

    // A port that was free a moment ago may be taken by the time the server binds it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_port = unusedTcpPort();
        if (!writeConfig())
            return false;
        const QString config = m_folder + QStringLiteral("/dovecot.conf");
        if (!m_process.start(QString::fromLatin1(kDovecot), {QStringLiteral("-F"), QStringLiteral("-c"), config},
                             m_folder + QStringLiteral("/console.log"))) {
            m_error = QStringLiteral("dovecot did not start");
            return false;
        }
        if (waitForGreeting(m_port, "+OK") && m_process.isRunning())
            return true;
        m_process.stop();
    }
    m_error = QStringLiteral("dovecot did not answer on its port; its log:\n")
        + QString::fromUtf8(readFile(m_folder + QStringLiteral("/console.log"))
                            + readFile(m_folder + QStringLiteral("/dovecot.log")));
    return false;
}

bool DovecotServer::writeConfig()
{
    // %1 the private folder, %2 its name, %3 uid, %4 gid, %5 the port.
    const QString config = QStringLiteral(
        "base_dir = %1/run\nstate_dir = %1/state\ninstance_name = %2\nlog_path = %1/dovecot.log\n"
        "protocols = pop3\nlisten = 127.0.0.1\nssl = no\ndisable_plaintext_auth = no\nauth_mechanisms = plain\n"
        "auth_failure_delay = 0\nfirst_valid_uid = 1\nmail_location = maildir:%1/mail/%u:INDEX=MEMORY\n"
        "default_login_user = dovenull\ndefault_internal_user = dovecot\n"
        "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN %1/passwd\n}\n"
        "userdb {\n  driver = static\n  args = uid=%3 gid=%4 home=%1/mail/%u\n}\n"
        "service pop3-login {\n  inet_listener pop3 {\n    address = 127.0.0.1\n    port = %5\n  }\n"
        "  inet_listener pop3s {\n    port = 0\n  }\n}\n"
        // Without the penalty service a failed log-in does not slow down the next one by seconds.
        "service anvil {\n  unix_listener anvil-auth-penalty {\n    mode = 0\n  }\n}\n");
    if (!writeText(m_folder + QStringLiteral("/dovecot.conf"),
                   config.arg(m_folder, m_folder.mid(5)).arg(m_mailUser.uid).arg(m_mailUser.gid).arg(m_port).toUtf8())) {
        m_error = QStringLiteral("cannot write the dovecot configuration");
        return false;
    }
    return true;
}

QString DovecotServer::mailboxPath(const QString &user) const
{
    return m_folder + QStringLiteral("/mail/") + user;
}

void DovecotServer::setMessageCount(const QString &user, int count)
{
    const QString box = mailboxPath(user);
    for (const char *sub : {"new", "cur", "tmp"}) {
        const QString path = box + u'/' + QString::fromLatin1(sub);
        QDir(path).removeRecursively();
        QDir().mkpath(path);
    }
    for (const QString &path :
         {box, box + QStringLiteral("/new"), box + QStringLiteral("/cur"), box + QStringLiteral("/tmp")})
        [[maybe_unused]] const int owned = ::chown(QFile::encodeName(path).constData(), m_mailUser.uid, m_mailUser.gid);
    for (int i = 1; i <= count; ++i) {
        const QString path = box + QStringLiteral("/new/%1.%2.test").arg(i).arg(::getpid());
        writeText(path,
                  "From: sender@example.test\r\nSubject: message " + QByteArray::number(i) + "\r\n\r\nHello.\r\n");
        [[maybe_unused]] const int owned = ::chown(QFile::encodeName(path).constData(), m_mailUser.uid, m_mailUser.gid);
    }
}

QString DovecotServer::serverText() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

} // namespace tq::test
