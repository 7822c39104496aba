#pragma once

#include "mail/ServerProcess.h"

#include <QList>
#include <QString>

#include <utility>

namespace tq::test {

// A POP3 server of its own for one test: Dovecot on a loopback port, with its runtime and state
// folders, users and mailboxes in a private folder under /tmp.
class DovecotServer {
public:
    static QString unavailableReason();

    DovecotServer() = default;
    ~DovecotServer();
    DovecotServer(const DovecotServer &) = delete;
    DovecotServer &operator=(const DovecotServer &) = delete;

    // Users may be added before or after the start.
    void addUser(const QString &user, const QString &password);
    bool start();
    // Replaces the mailbox's messages by `count` new ones.
    void setMessageCount(const QString &user, int count);

    const QString &error() const { return m_error; }
    int port() const { return m_port; }
    // The server as a user types it: "127.0.0.1:port".
    QString serverText() const;

private:
    bool writeConfig();
    void writeUsers();
    QString mailboxPath(const QString &user) const;

    QString m_folder;
    QString m_error;
    MailUser m_mailUser;
    int m_port = 0;
    QList<std::pair<QString, QString>> m_users; // name, password
    ServerProcess m_process;
};

} // namespace tq::test
