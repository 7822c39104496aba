#include "addressbook/RefreshAddressBook.h"

#include "addressbook/AddressBookNames.h"

namespace tq {
namespace {

QString snapshotEntry(const UserEntry &user)
{
    return DestinationList::userText(user.name, user.host) + QLatin1Char(';');
}

QString deactivatedEntry(const UserEntry &user)
{
    return user.name + QStringLiteral("/;");
}

} // namespace

AddressBookRefresh RefreshAddressBook(const AddressBookStore &store, bool withBroadcast)
{
    AddressBookRefresh result;
    QString knownList;
    QString deactivatedList;

    if (withBroadcast)
        result.destinations.add({DestinationList::broadcastText(), kBroadcastCode});

    const QList<UserEntry> topLevel = store.ListUsers(addressbook::topLevelName());
    for (qsizetype position = 0; position < topLevel.size(); ++position) {
        const UserEntry &user = topLevel[position];
        if (!user.active) {
            deactivatedList += deactivatedEntry(user);
            continue;
        }
        knownList += snapshotEntry(user);
        result.destinations.add({DestinationList::userText(user.name, user.host), kUserCode});
        // Offered once there are at least two users to send to, judged by the second user.
        if (position == 1)
            result.destinations.add({DestinationList::allUsersText(), kAllUsersCode});
    }

    // The active users of a group; its deactivated users go to the deactivated list meanwhile.
    const auto memberString = [&](const QString &group) {
        QString members;
        for (const UserEntry &user : store.ListUsers(group)) {
            if (user.active)
                members += snapshotEntry(user);
            else
                deactivatedList += deactivatedEntry(user);
        }
        return members;
    };

    for (const QString &group : store.deactivatedGroupNames())
        deactivatedList += memberString(group) + QLatin1Char(';');

    const QList<GroupEntry> groups = store.ListGroups();
    QStringList groupMembers;
    groupMembers.reserve(groups.size());
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const GroupEntry &group = groups[i];
        groupMembers.append(group.active ? memberString(group.name) : QString());
        if (group.active)
            result.destinations.add({DestinationList::groupText(group.name), kFirstGroupCode + static_cast<int>(i)});
    }
    result.senderGroupItems = senderGroupMenuItems(groups);
    result.snapshot = AddressBookSnapshot(knownList, deactivatedList, groupMembers);
    return result;
}

QList<GroupMenuItem> senderGroupMenuItems(const QList<GroupEntry> &groups)
{
    QList<GroupMenuItem> items;
    const QString junk = addressbook::junkSendersName();
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (groups[i].name != junk)
            items.append({kFirstGroupCommand + static_cast<int>(i), groups[i].name});
    }
    return items;
}

} // namespace tq
