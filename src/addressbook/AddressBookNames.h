#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tq {

class Prompter;

// The rules on names that every part of the address book shares: the dialog, the commands
// that file a sender, and the store itself, which refuses a name that breaks them.
namespace addressbook {

// The settings sections of the address book.
inline constexpr char kAddressBookSection[] = "AddressBook";
inline constexpr char kDisableGroupSection[] = "DisableGroup";

// "\\/:*?\"<>|;": a name holding one of these could not be a key name, a file name or a
// single destination.
const QString &forbiddenCharacters();
bool hasForbiddenCharacter(const QString &name);
// Message 211 with caption 212 and the error icon.
void showForbiddenNameMessage(Prompter &prompter);

// The pseudo-group of the users that belong to no group: "Outside Any Group". Operations that
// take a group name map it (exact spelling) and the empty name to the top level.
QString topLevelName();
bool isTopLevel(const QString &group);
// "Junk Senders", the group the junk-sender command fills. Its name is a key of the stored
// address book, so it is the same in every language.
QString junkSendersName();

// The first of "My Group", "My Group1" ... "My Group1023" that no name of `taken` equals,
// ignoring case; none when all are taken.
std::optional<QString> defaultGroupName(const QStringList &taken);

} // namespace addressbook
} // namespace tq
