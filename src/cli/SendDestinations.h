#pragma once

#include <QString>
#include <QStringList>

#include <variant>

namespace tq {
class AddressBookSnapshot;
class DestinationList;
} // namespace tq

namespace tq::cli {

// The destinations of "tarquel send" as the destination field would hold them.
struct SendDestinations {
    QString destinationText;
    // The destination list's entry the field would have selected, or -1.
    qsizetype selectedIndex = -1;
};

// Turns the DESTINATION arguments into what the window's field would send:
// - an entry of the destination list by its text ("< All users >", "< All (broadcast) >",
//   "< Team >", "Bob/host"), letter case ignored;
// - a group by its bare name, an active user of the address book by name;
// - anything else as typed: a host, an address, ":port", "u", "Name/host:port", an e-mail address.
// One argument becomes the field's text with its entry selected, exactly as when the user
// picks it. Several become one list, as a list typed into the field; a group or "< All users >"
// among them stands for its members, the broadcast entry for the broadcast address.
// Gives the message naming the argument at fault when one resolves to nobody or names a port
// that does not exist.
std::variant<SendDestinations, QString>
resolveSendDestinations(const QStringList &arguments, const DestinationList &list, const AddressBookSnapshot &book);

// Whether a destination list reaches every station of the network.
bool reachesBroadcast(const QString &destinationText, int useProtocol);

} // namespace tq::cli
