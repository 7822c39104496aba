#include "addressbook/AddressBookSnapshot.h"

namespace tq {
namespace {

// An entry without "/" has no host and names nobody for the lookups.
void collectNames(const QString &entries, QSet<QString> &names)
{
    for (const QStringView entry : QStringView(entries).split(QLatin1Char(';'))) {
        const qsizetype slash = entry.indexOf(QLatin1Char('/'));
        if (slash >= 0)
            names.insert(entry.left(slash).toString().toCaseFolded());
    }
}

bool containsName(const QSet<QString> &names, const QString &systemName)
{
    return !systemName.isEmpty() && names.contains(systemName.toCaseFolded());
}

} // namespace

AddressBookSnapshot::AddressBookSnapshot(QString knownList, QString deactivatedList, QStringList groupMembers)
    : m_knownList(std::move(knownList))
    , m_deactivatedList(std::move(deactivatedList))
    , m_groupMembers(std::move(groupMembers))
{
    collectNames(m_knownList, m_knownNames);
    for (const QString &members : std::as_const(m_groupMembers))
        collectNames(members, m_knownNames);
    collectNames(m_deactivatedList, m_deactivatedNames);
}

QString AddressBookSnapshot::groupMembers(qsizetype index) const
{
    return index >= 0 && index < m_groupMembers.size() ? m_groupMembers.at(index) : QString();
}

bool AddressBookSnapshot::IsKnownSender(const QString &systemName) const
{
    return containsName(m_knownNames, systemName);
}

bool AddressBookSnapshot::IsDeactivatedSender(const QString &systemName) const
{
    return containsName(m_deactivatedNames, systemName);
}

} // namespace tq
