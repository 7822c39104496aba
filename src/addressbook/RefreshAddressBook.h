#pragma once

#include "addressbook/AddressBookSnapshot.h"
#include "addressbook/AddressBookStore.h"
#include "addressbook/DestinationList.h"

#include <QList>
#include <QString>

namespace tq {

// Command ids of the "Add sender to..." menu.
inline constexpr int kAddSenderOutsideCommand = 32815;
inline constexpr int kAddSenderJunkCommand = 32816;
// A group item is kFirstGroupCommand + the group's position in the store.
inline constexpr int kFirstGroupCommand = 20000;

struct GroupMenuItem {
    int commandId = kFirstGroupCommand;
    QString text;

    friend bool operator==(const GroupMenuItem &, const GroupMenuItem &) = default;
};

// Everything the main view derives from the address book, rebuilt as a whole.
struct AddressBookRefresh {
    AddressBookSnapshot snapshot;
    DestinationList destinations;
    // The group items of the "Add sender to..." menu, behind its two fixed items; the menu puts
    // one separator before them when there is any.
    QList<GroupMenuItem> senderGroupItems;
};

// Reads the store once. `withBroadcast`: "UseProtocol" is not 0.
AddressBookRefresh RefreshAddressBook(const AddressBookStore &store, bool withBroadcast);

// The group items alone, for a menu that is rebuilt without a refresh: every group but
// "Junk Senders" (exact spelling), with the id of its position.
QList<GroupMenuItem> senderGroupMenuItems(const QList<GroupEntry> &groups);

} // namespace tq
