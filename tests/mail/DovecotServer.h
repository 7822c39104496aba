#pragma once

#include "mail/RealMailServer.h"

namespace tq::test {

// Dovecot as the POP3 server of one test, with the users alice (password "wonderland") and bob
// ("builder").
class DovecotServer : public RealMailServer {
public:
    static QString unavailableReason();
    bool start();
    // Replaces the mailbox's messages by `count` new ones.
    void setMessageCount(const QString &user, int count);
};

} // namespace tq::test
