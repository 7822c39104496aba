#include "mail/DovecotServer.h"

#include "support/Files.h"

#include <QDir>

#include <unistd.h>

namespace tq::test {

QString DovecotServer::unavailableReason()
{
    const QString reason = RealMailServer::unavailableReason("/usr/sbin/dovecot", "dovecot-core");
    if (reason.isEmpty() && !QFile::exists(QStringLiteral("/usr/lib/dovecot/pop3")))
        return QStringLiteral("Dovecot's POP3 server is not installed (Debian package dovecot-pop3d)");
    return reason;
}

bool DovecotServer::start()
{
    if (!prepare("tqdv"))
        return false;
    QDir(m_folder).mkdir(QStringLiteral("run"));
    QDir(m_folder).mkdir(QStringLiteral("state"));
    writeFile(m_folder + QStringLiteral("/passwd"), "alice:{PLAIN}wonderland::::::\nbob:{PLAIN}builder::::::\n");
    setMessageCount(QStringLiteral("alice"), 0);
    setMessageCount(QStringLiteral("bob"), 0);
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
    const QString configPath = m_folder + QStringLiteral("/dovecot.conf");
    return launch("/usr/sbin/dovecot",
                  [&](int port) {
                      writeFile(configPath,
                                config.arg(m_folder, m_folder.mid(5)).arg(m_uid).arg(m_gid).arg(port).toUtf8());
                      return QStringList{QStringLiteral("-F"), QStringLiteral("-c"), configPath};
                  },
                  "+OK", {QStringLiteral("console.log"), QStringLiteral("dovecot.log")});
}

void DovecotServer::setMessageCount(const QString &user, int count)
{
    const QString box = m_folder + QStringLiteral("/mail/") + user;
    for (const char *sub : {"", "/new", "/cur", "/tmp"}) {
        const QString path = box + QLatin1String(sub);
        if (*sub)
            QDir(path).removeRecursively();
        QDir().mkpath(path);
        giveToMailUser(path);
    }
    for (int i = 1; i <= count; ++i) {
        const QString path = box + QStringLiteral("/new/%1.%2.test").arg(i).arg(::getpid());
        writeFile(path,
                  "From: sender@example.test\r\nSubject: message " + QByteArray::number(i) + "\r\n\r\nHello.\r\n");
        giveToMailUser(path);
    }
}

} // namespace tq::test
