#include "presence/PresenceRoster.h"

#include "addressbook/AddressBookNames.h"
#include "addressbook/AddressBookStore.h"
#include "protocol/SendDestination.h"

namespace tq {
namespace {

QString userKey(const QString &name, const QString &host)
{
    return name.toCaseFolded() + QLatin1Char('/') + host;
}

} // namespace

std::optional<ProbeTarget> PresenceRoster::stationOf(const QString &host, const Rules &rules)
{
    if (host.trimmed().isEmpty() || mailAddressOf(host))
        return std::nullopt;
    // As the send path reads the host, with the user's transport as written.
    const NetworkTarget target = networkTarget(host, rules.tcpPort, rules.udpPort, 2);
    if (target.transport != SendTransport::Tcp || target.host.trimmed().isEmpty())
        return std::nullopt;
    if (const auto address = PresenceAddressFilter::writtenAddress(target.host);
        address && !rules.addresses.mayProbe(*address))
        return std::nullopt;
    return ProbeTarget{target.host, target.port};
}

QString PresenceRoster::stationKey(const ProbeTarget &target)
{
    return target.host.toCaseFolded() + QLatin1Char(':') + QString::number(target.port);
}

PresenceRoster PresenceRoster::read(const AddressBookStore &store, const Rules &rules)
{
    PresenceRoster roster;
    const QString top = addressbook::topLevelName();
    QList<int> &topMembers = roster.m_groups[top.toCaseFolded()];
    for (const UserEntry &user : store.ListUsers(top)) {
        if (user.active)
            topMembers.append(roster.addUser(user.name, user.host, rules));
    }
    for (const GroupEntry &group : store.ListGroups()) {
        if (!group.active)
            continue;
        QList<int> &members = roster.m_groups[group.name.toCaseFolded()];
        for (const UserEntry &user : store.ListUsers(group.name)) {
            if (user.active)
                members.append(roster.addUser(user.name, user.host, rules));
        }
    }
    return roster;
}

int PresenceRoster::addUser(const QString &name, const QString &host, const Rules &rules)
{
    const QString key = userKey(name, host);
    if (const auto found = m_userIndex.constFind(key); found != m_userIndex.cend())
        return *found;
    User user{name, host, {}};
    const int index = static_cast<int>(m_users.size());
    if (const std::optional<ProbeTarget> station = stationOf(host, rules)) {
        user.stationKey = stationKey(*station);
        m_stations.insert(user.stationKey, *station);
        m_stationUsers[user.stationKey].append(index);
    }
    m_users.append(user);
    m_userIndex.insert(key, index);
    return index;
}

int PresenceRoster::indexOf(const QString &name, const QString &host) const
{
    return m_userIndex.value(userKey(name, host), -1);
}

QList<int> PresenceRoster::membersOf(const QString &group) const
{
    const QString name = addressbook::isTopLevel(group) ? addressbook::topLevelName() : group;
    return m_groups.value(name.toCaseFolded());
}

QList<int> PresenceRoster::usersAt(const QString &stationKey) const
{
    return m_stationUsers.value(stationKey);
}

} // namespace tq
