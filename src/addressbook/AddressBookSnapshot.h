#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace tq {

// The address book as the main view saw it at the last refresh, in the form the send path and
// the incoming filters use. Each entry of its strings is a user name, then "/" and the host
// when the host is not empty, then ";".
class AddressBookSnapshot {
public:
    AddressBookSnapshot() = default;
    // `groupMembers` holds one string per group of the store, in store order; a deactivated
    // group's string is empty.
    AddressBookSnapshot(QString knownList, QString deactivatedList, QStringList groupMembers);

    // The active users outside any group: the recipients of "< All users >".
    const QString &knownList() const { return m_knownList; }
    // Deactivated users anywhere ("name/;") and the member strings of deactivated groups.
    const QString &deactivatedList() const { return m_deactivatedList; }
    // The active users of the group at position `index`: the recipients of the destination
    // code 10 + index. Empty for a deactivated group or a position that does not exist.
    QString groupMembers(qsizetype index) const;
    int groupCount() const { return static_cast<int>(m_groupMembers.size()); }

    // An active user with a host, outside any group or in an active group. Whole names,
    // letter case ignored; an empty name is never known.
    bool IsKnownSender(const QString &systemName) const;
    // A deactivated user anywhere, or a user with a host in a deactivated group.
    bool IsDeactivatedSender(const QString &systemName) const;

private:
    QString m_knownList;
    QString m_deactivatedList;
    QStringList m_groupMembers;
    // Case-folded names of the entries that carry a "/".
    QSet<QString> m_knownNames;
    QSet<QString> m_deactivatedNames;
};

} // namespace tq
