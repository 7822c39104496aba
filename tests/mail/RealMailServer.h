#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <functional>

namespace tq::test {

// A mail server from the distribution, run in the foreground for one test on a loopback port,
// with its files in a short private folder under /tmp (server socket paths must stay short).
// It ends with this object, or with the test program when that dies.
class RealMailServer {
public:
    // Why `program` cannot run here, or empty: it must be installed and the test must run as root.
    static QString unavailableReason(const char *program, const char *package);

    virtual ~RealMailServer();
    const QString &error() const { return m_error; }
    QString serverText() const;

protected:
    // Makes the private folder and its "mail" folder, which the mail user owns (the servers
    // refuse to deliver as root).
    bool prepare(const char *prefix);
    // Runs `program` with the arguments `configure` gives after writing its configuration for a
    // port, until it greets with `greeting`; a port free a moment ago may be taken meanwhile.
    bool launch(const char *program, const std::function<QStringList(int port)> &configure, const QByteArray &greeting,
                const QStringList &logs);
    void giveToMailUser(const QString &path) const;
    // Ends the server and waits for it; a subclass holding a lock calls it before letting go.
    void stop();

    QString m_folder;
    QString m_error;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    int m_port = 0;

private:
    QProcess m_process;
};

inline constexpr char kMailUserName[] = "tqmailtest";

} // namespace tq::test
