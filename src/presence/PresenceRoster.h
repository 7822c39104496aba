#pragma once

#include "presence/PresenceAddressFilter.h"
#include "protocol/ProbeTypes.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace tq {

class AddressBookStore;

// The users presence looks after: every active user outside any group and in an active group,
// with the station each one is probed at. Users that share a host and port share a station,
// and a user who stands in several groups is one user.
class PresenceRoster {
public:
    struct User {
        QString name;
        QString host;
        QString stationKey; // empty: never probed (no host, a UDP or e-mail destination, a refused address)
    };

    // How host texts become stations: the default ports of destinations that name none, and
    // the addresses a probe may go to.
    struct Rules {
        int tcpPort = 7777;
        int udpPort = 7777;
        PresenceAddressFilter addresses;
    };

    static PresenceRoster read(const AddressBookStore &store, const Rules &rules);

    // The station a host text is probed at, when it is a TCP destination whose address a probe
    // may go to: "host" or "host:port", not "host:u", "host:portu" or an e-mail address.
    static std::optional<ProbeTarget> stationOf(const QString &host, const Rules &rules);
    // The key that identifies a station: host (letter case ignored) and port.
    static QString stationKey(const ProbeTarget &target);

    const QList<User> &users() const { return m_users; }
    const QHash<QString, ProbeTarget> &stations() const { return m_stations; }
    // The user with that name (letter case ignored) and host; -1 when there is none.
    int indexOf(const QString &name, const QString &host) const;
    // The users of a group by position; "Outside Any Group" gives those of the top level.
    QList<int> membersOf(const QString &group) const;
    // The users probed at a station.
    QList<int> usersAt(const QString &stationKey) const;

private:
    int addUser(const QString &name, const QString &host, const Rules &rules);

    QList<User> m_users;
    QHash<QString, int> m_userIndex; // folded name + "/" + host
    QHash<QString, QList<int>> m_groups; // folded group name
    QHash<QString, ProbeTarget> m_stations;
    QHash<QString, QList<int>> m_stationUsers;
};

} // namespace tq
