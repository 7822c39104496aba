#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

namespace tq {

// Whether an address-book user's station answers, as the last look saw it.
enum class PresenceState {
    NotChecked, // nobody looks: no host, a UDP destination, or presence is off
    Reachable,
    NotReachable, // the connection was refused, or nothing answered in time
    Unknown, // the host name could not be resolved
};

struct UserPresence {
    PresenceState state = PresenceState::NotChecked;
    // Local time since when the state holds (for a user away: since the first look that
    // found the station gone); invalid while not checked.
    QDateTime since;

    friend bool operator==(const UserPresence &, const UserPresence &) = default;
};

struct GroupPresence {
    int reachable = 0;
    int members = 0; // the group's active users

    friend bool operator==(const GroupPresence &, const GroupPresence &) = default;
};

// What the address book's windows read to mark who is there. The windows only read; whoever
// looks at the network says when something changed.
class PresenceSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // False while presence is switched off: then nobody is checked.
    virtual bool isEnabled() const = 0;
    // A user by name (letter case ignored) and host text as stored.
    virtual UserPresence userPresence(const QString &name, const QString &host) const = 0;
    // "Outside Any Group" stands for the active users of the top level.
    virtual GroupPresence groupPresence(const QString &group) const = 0;

Q_SIGNALS:
    // Some user's state changed; the windows read again what they show.
    void presenceChanged();
};

} // namespace tq
