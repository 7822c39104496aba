#pragma once

#include <QString>

namespace tq {

class SettingsStore;

struct MailboxAccount {
    QString server; // a host, optionally followed by ':' and a port
    QString user;
    QString password; // in clear

    // A mailbox is checked only when it names both a server and a user.
    bool isComplete() const { return !server.isEmpty() && !user.isEmpty(); }
};

// What one mailbox check is asked to do.
struct MailCheckRequest {
    MailboxAccount first;
    MailboxAccount second; // all empty when the second mailbox is not used
    bool playSound = false;

    static MailCheckRequest make(const MailboxAccount &first, const MailboxAccount &second, bool useSecond,
                                 bool playSound);
};

// The main frame's copies of the mailbox settings, taken when the background processes start
// with mail checking on; the passwords are unscrambled.
struct MailSettingsCache {
    MailboxAccount first;
    MailboxAccount second;

    static MailSettingsCache read(const SettingsStore &settings);
};

// The background check: the cached mailboxes, with "Use2POP3Servers" and "PlayMailSound" as
// they read now.
MailCheckRequest backgroundCheckRequest(const MailSettingsCache &cache, const SettingsStore &settings);
// "Check for new mail now" outside the preferences: everything as the store holds it now.
MailCheckRequest checkNowRequest(const SettingsStore &settings);

} // namespace tq
