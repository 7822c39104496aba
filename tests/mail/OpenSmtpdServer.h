#pragma once

#include "mail/RealMailServer.h"
#include "platform/UniqueFd.h"

#include <QByteArrayList>

namespace tq::test {

// OpenSMTPD as the SMTP server of one test, delivering every recipient to a maildir of its own
// and refusing one chosen address with 550. Only one OpenSMTPD can run on a machine (its queue
// and control socket have fixed places), so tests take turns through a lock file, and each
// empties the queue before it starts.
class OpenSmtpdServer : public RealMailServer {
public:
    // The server is gone before the next test may take the lock.
    ~OpenSmtpdServer() override { stop(); }

    static QString unavailableReason() { return RealMailServer::unavailableReason("/usr/sbin/smtpd", "opensmtpd"); }

    // False with error() set; `skip` tells when the reason is this machine, not the program.
    bool start(const QString &refusedAddress, bool &skip);
    // The mails delivered to `address`, waiting up to `timeoutMs` until `count` have arrived.
    QByteArrayList delivered(const QString &address, int count = 1, int timeoutMs = 15000) const;

private:
    UniqueFd m_lock;
};

} // namespace tq::test
