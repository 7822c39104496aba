#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tq {

class AddressBookStore;

// A station that answered a scan.
struct FoundStation {
    QString address; // dotted
    QString hostName; // from the reverse lookup; may be empty
    int port = 0;

    friend bool operator==(const FoundStation &, const FoundStation &) = default;
};

// What filing found stations in the address book did.
struct FiledStations {
    struct User {
        QString name;
        QString host;
        friend bool operator==(const User &, const User &) = default;
    };
    QList<User> added;
    // Stations left out because a user of the address book has that host already: that user,
    // as "name (host)".
    QStringList alreadyThere;
};

// Files found stations as active users of `group` ("Outside Any Group" or empty: the top
// level), creating the group when it does not exist yet. A user's name comes from the host
// name (its first part, the rest of a domain name left out) or, without one, the address,
// made safe by the address book's name rules; a name the group already holds gets " (2)",
// " (3)" and so on. Its host is the address, with ":port" when the port is not
// `defaultTcpPort`. A station that some user anywhere in the address book has as host
// already (by address or host name, on the same port) is not filed again.
// `group` must be a name the address book accepts.
FiledStations fileFoundStations(AddressBookStore &store, const QString &group, const QList<FoundStation> &stations,
                                int defaultTcpPort);

// The name a station is filed under, before any suffix.
QString stationUserName(const FoundStation &station);
// The first of `base`, "base (2)", "base (3)" ... that `taken` does not hold (letter case
// ignored); empty when even "base (999)" is taken.
QString freeUserName(const QString &base, const QStringList &taken);

} // namespace tq
