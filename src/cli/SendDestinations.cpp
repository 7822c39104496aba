#include "cli/SendDestinations.h"

#include "addressbook/AddressBookSnapshot.h"
#include "addressbook/DestinationList.h"
#include "cli/SubcommandParser.h"
#include "protocol/SendDestination.h"
#include "station/OutgoingAssembly.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>

namespace tq::cli {
namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SendDestinations", text);
}

// An entry of the destination list, or a typed destination (index -1).
struct Resolved {
    QString text;
    qsizetype index = -1;
};

qsizetype entryIndex(const DestinationList &list, const QString &text)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).text.compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

// "name/host" of an active user with that name, outside any group or in an active group.
std::optional<QString> userByName(const AddressBookSnapshot &book, const QString &name)
{
    QStringList memberLists{book.knownList()};
    for (int group = 0; group < book.groupCount(); ++group)
        memberLists.append(book.groupMembers(group));
    for (const QString &members : memberLists) {
        for (const QString &member : members.split(u';', Qt::SkipEmptyParts)) {
            const qsizetype slash = member.indexOf(u'/');
            if (slash > 0 && member.first(slash).compare(name, Qt::CaseInsensitive) == 0)
                return member;
        }
    }
    return std::nullopt;
}

// What is wrong with a typed network destination, if anything.
std::optional<QString> typedDestinationFault(const QString &destination)
{
    if (mailAddressOf(destination))
        return std::nullopt;
    const QString hostPart = destination.sliced(destination.lastIndexOf(u'/') + 1);
    const qsizetype colon = hostPart.indexOf(u':');
    if (hostPart.first(colon < 0 ? hostPart.size() : colon).trimmed().isEmpty())
        return tr("%1: no host in this destination").arg(destination);
    if (colon < 0)
        return std::nullopt;
    QString port = hostPart.sliced(colon + 1);
    if (port.endsWith(u'u', Qt::CaseInsensitive))
        port.chop(1);
    if (!port.isEmpty() && !SubcommandParser::parsePort(port))
        return tr("%1: a port is a number from 1 to 65535").arg(destination);
    return std::nullopt;
}

std::variant<Resolved, QString> resolveOne(const QString &argument, const DestinationList &list,
                                           const AddressBookSnapshot &book)
{
    const QString wanted = argument.trimmed();
    if (wanted.isEmpty())
        return tr("an empty DESTINATION");
    if (const qsizetype index = entryIndex(list, wanted); index >= 0)
        return Resolved{list.at(index).text, index};
    if (const qsizetype index = entryIndex(list, DestinationList::groupText(wanted));
        index >= 0 && list.at(index).kind() == DestinationKind::Group)
        return Resolved{list.at(index).text, index};
    if (wanted.compare(DestinationList::broadcastText(), Qt::CaseInsensitive) == 0)
        return tr("%1: the broadcast goes by UDP, which this send does not use").arg(argument);
    // The entry is there only while the address book has users outside the groups.
    if (wanted.compare(DestinationList::allUsersText(), Qt::CaseInsensitive) == 0)
        return tr("%1: resolves to nobody (no active user there)").arg(argument);
    if (const std::optional<QString> user = userByName(book, wanted))
        return Resolved{*user, entryIndex(list, *user)};
    if (const std::optional<QString> fault = typedDestinationFault(wanted))
        return *fault;
    return Resolved{wanted, -1};
}

// The recipients an entry stands for, as the assembly expands it.
QString recipientsOf(const Resolved &resolved, const DestinationList &list, const AddressBookSnapshot &book)
{
    if (resolved.index < 0)
        return resolved.text;
    const DestinationEntry &entry = list.at(resolved.index);
    switch (entry.kind()) {
    case DestinationKind::AllUsers:
        return book.knownList();
    case DestinationKind::Broadcast:
        return QLatin1String(kBroadcastDestination);
    case DestinationKind::Group:
        return book.groupMembers(entry.code - kFirstGroupCode);
    case DestinationKind::User:
        break;
    }
    return resolved.text;
}

} // namespace

std::variant<SendDestinations, QString>
resolveSendDestinations(const QStringList &arguments, const DestinationList &list, const AddressBookSnapshot &book)
{
    QList<Resolved> resolved;
    QStringList recipients;
    for (const QString &argument : arguments) {
        auto one = resolveOne(argument, list, book);
        if (const QString *fault = std::get_if<QString>(&one))
            return *fault;
        resolved.append(std::get<Resolved>(one));
        const QString expanded = recipientsOf(resolved.last(), list, book);
        if (splitDestinationList(expanded).isEmpty())
            return tr("%1: resolves to nobody (no active user there)").arg(argument);
        recipients.append(expanded);
    }
    if (resolved.size() == 1)
        return SendDestinations{resolved.first().text, resolved.first().index};
    // The entries of a list are joined as a user would type them; the member strings end
    // with ";" already.
    for (QString &part : recipients) {
        while (part.endsWith(u';'))
            part.chop(1);
    }
    return SendDestinations{recipients.join(u';'), -1};
}

bool reachesBroadcast(const QString &destinationText, int useProtocol)
{
    const QStringList destinations = splitDestinationList(destinationText);
    return std::any_of(destinations.begin(), destinations.end(), [useProtocol](const QString &destination) {
        return !mailAddressOf(destination)
            && networkTarget(destination, 0, 0, useProtocol).host == QLatin1String("255.255.255.255");
    });
}

} // namespace tq::cli
