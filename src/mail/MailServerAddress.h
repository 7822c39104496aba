#pragma once

#include <QString>

namespace tq {

// A server as the user types it: a host, optionally followed by ':' and a port.
struct MailServerAddress {
    QString host;
    int port = 0;

    friend bool operator==(const MailServerAddress &, const MailServerAddress &) = default;
};

inline constexpr int kPop3DefaultPort = 110;
inline constexpr int kSmtpDefaultPort = 25;

// The POP3 server text splits at its first ':', the SMTP server text at its last. The digits
// after the colon are the port when they make one from 1 to 65535; anything else means the
// protocol's default port.
MailServerAddress pop3ServerAddress(const QString &serverText);
MailServerAddress smtpServerAddress(const QString &serverText);

} // namespace tq
