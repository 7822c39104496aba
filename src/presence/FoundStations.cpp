#include "presence/FoundStations.h"

#include "addressbook/AddressBookNames.h"
#include "addressbook/AddressBookStore.h"
#include "protocol/SendDestination.h"

#include <algorithm>

namespace tq {
namespace {

// The store lists no name longer than this (with its one-character state flag, 255).
constexpr int kMaxUserName = 254;
constexpr int kMaxSuffix = 999;

struct ExistingUser {
    QString name;
    QString host; // as stored
    NetworkTarget target;
};

QList<ExistingUser> everyUser(const AddressBookStore &store, int defaultTcpPort)
{
    QStringList levels{addressbook::topLevelName()};
    for (const GroupEntry &group : store.ListGroups())
        levels.append(group.name);
    QList<ExistingUser> users;
    for (const QString &level : std::as_const(levels)) {
        for (const UserEntry &user : store.ListUsers(level))
            users.append({user.name, user.host, networkTarget(user.host, defaultTcpPort, defaultTcpPort, 2)});
    }
    return users;
}

// Whether a user's host stands for the station: the same machine by address, full host name
// or its first part, and for a TCP destination the same port.
bool isSameStation(const ExistingUser &user, const FoundStation &station)
{
    if (mailAddressOf(user.host))
        return false;
    const QString host = user.target.host.trimmed();
    const bool sameMachine = host == station.address
        || (!station.hostName.isEmpty()
            && (host.compare(station.hostName, Qt::CaseInsensitive) == 0
                || host.compare(stationUserName(station), Qt::CaseInsensitive) == 0));
    return sameMachine && (user.target.transport == SendTransport::Udp || user.target.port == station.port);
}

QString hostText(const FoundStation &station, int defaultTcpPort)
{
    return station.port == defaultTcpPort ? station.address
                                          : station.address + QLatin1Char(':') + QString::number(station.port);
}

} // namespace

QString stationUserName(const FoundStation &station)
{
    QString name = station.hostName.section(u'.', 0, 0).trimmed();
    for (QChar &c : name) {
        if (addressbook::forbiddenCharacters().contains(c))
            c = u'-';
    }
    if (name.isEmpty())
        name = station.address;
    return name.left(kMaxUserName);
}

QString freeUserName(const QString &base, const QStringList &taken)
{
    if (!taken.contains(base, Qt::CaseInsensitive))
        return base;
    for (int n = 2; n <= kMaxSuffix; ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        const QString name = base.left(kMaxUserName - suffix.size()) + suffix;
        if (!taken.contains(name, Qt::CaseInsensitive))
            return name;
    }
    return {};
}

FiledStations fileFoundStations(AddressBookStore &store, const QString &group, const QList<FoundStation> &stations,
                                int defaultTcpPort)
{
    FiledStations filed;
    bool groupExists = addressbook::isTopLevel(group);
    for (const GroupEntry &entry : store.ListGroups())
        groupExists = groupExists || entry.name.compare(group, Qt::CaseInsensitive) == 0;
    QList<ExistingUser> users = everyUser(store, defaultTcpPort);
    QStringList taken;
    for (const UserEntry &user : store.ListUsers(group))
        taken.append(user.name);

    for (const FoundStation &station : stations) {
        const auto known = std::find_if(users.cbegin(), users.cend(),
                                        [&](const ExistingUser &user) { return isSameStation(user, station); });
        if (known != users.cend()) {
            filed.alreadyThere.append(QStringLiteral("%1 (%2)").arg(known->name, known->host));
            continue;
        }
        const QString name = freeUserName(stationUserName(station), taken);
        const QString host = hostText(station, defaultTcpPort);
        // The group is made only for a station that goes into it.
        if (!groupExists)
            groupExists = store.CreateGroup(group);
        if (name.isEmpty() || !groupExists || !store.PutUser(group, name, host))
            continue;
        taken.append(name);
        users.append({name, host, networkTarget(host, defaultTcpPort, defaultTcpPort, 2)});
        filed.added.append({name, host});
    }
    return filed;
}

} // namespace tq
