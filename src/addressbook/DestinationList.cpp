#include "addressbook/DestinationList.h"

#include "res/StringTable.h"

#include <algorithm>

namespace tq {

DestinationKind DestinationEntry::kind() const
{
    if (code < kBroadcastCode)
        return DestinationKind::User;
    if (code == kBroadcastCode)
        return DestinationKind::Broadcast;
    if (code == kAllUsersCode)
        return DestinationKind::AllUsers;
    return DestinationKind::Group;
}

QString DestinationList::broadcastText()
{
    return tqString(Sid::BroadcastEntry);
}

QString DestinationList::allUsersText()
{
    return tqString(Sid::AllUsersEntry);
}

QString DestinationList::groupText(const QString &groupName)
{
    return QStringLiteral("< ") + groupName + QStringLiteral(" >");
}

QString DestinationList::userText(const QString &name, const QString &host)
{
    return host.isEmpty() ? name : name + QLatin1Char('/') + host;
}

void DestinationList::add(const DestinationEntry &entry)
{
    const auto position = std::upper_bound(m_entries.begin(), m_entries.end(), entry,
                                           [](const DestinationEntry &a, const DestinationEntry &b) {
                                               return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
                                           });
    m_entries.insert(position, entry);
}

void DestinationList::setBroadcastPresent(bool present)
{
    if (present == hasBroadcast())
        return;
    if (present)
        add({broadcastText(), kBroadcastCode});
    else
        m_entries.removeIf([](const DestinationEntry &entry) { return entry.code == kBroadcastCode; });
}

bool DestinationList::hasBroadcast() const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [](const DestinationEntry &entry) { return entry.code == kBroadcastCode; });
}

qsizetype DestinationList::findPrefix(const QString &text) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].text.startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

qsizetype DestinationList::resolve(const QString &text, qsizetype selectedIndex) const
{
    if (selectedIndex >= 0 && selectedIndex < m_entries.size() && m_entries[selectedIndex].text == text)
        return selectedIndex;
    return findPrefix(text);
}

std::optional<DestinationKind> DestinationList::kindOf(const QString &text, qsizetype selectedIndex) const
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    const QString destination = text.mid(start);
    if (destination.isEmpty())
        return std::nullopt;
    const qsizetype index = resolve(destination, selectedIndex);
    if (index < 0)
        return DestinationKind::User;
    const DestinationEntry &entry = m_entries.at(index);
    if (entry.kind() == DestinationKind::Group || destination == entry.text)
        return entry.kind();
    return DestinationKind::User;
}

} // namespace tq
