#pragma once

#include "mail/ServerProcess.h"
#include "platform/UniqueFd.h"

#include <QByteArrayList>
#include <QString>

namespace tq::test {

// An SMTP server for one test: OpenSMTPD on a loopback port, delivering every recipient to a
// maildir of its own in a private folder, and refusing one chosen address with 550. Only one
// OpenSMTPD can run on a machine (its queue and control socket have fixed places), so tests
// that use it take turns through a lock file, and each empties the queue before it starts.
class OpenSmtpdServer {
public:
    static QString unavailableReason();

    explicit OpenSmtpdServer(QString refusedAddress);
    ~OpenSmtpdServer();
    OpenSmtpdServer(const OpenSmtpdServer &) = delete;
    OpenSmtpdServer &operator=(const OpenSmtpdServer &) = delete;

    // False with error() set; `skip` tells when the reason is this machine, not the program.
    bool start(bool &skip);
    const QString &error() const { return m_error; }
    QString serverText() const;

    // The mails delivered to `address`, waiting up to `timeoutMs` until `count` have arrived.
    QByteArrayList delivered(const QString &address, int count = 1, int timeoutMs = 15000) const;

private:
    QString m_refused;
    QString m_folder;
    QString m_error;
    int m_port = 0;
    UniqueFd m_lock;
    ServerProcess m_process;
};

} // namespace tq::test
