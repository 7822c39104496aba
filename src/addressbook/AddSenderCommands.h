#pragma once

#include <QString>

#include <optional>

namespace tq {

class AddressBookStore;
class Prompter;
class SoundPlayer;

// The "Add sender to..." commands: they file the sender of the message on display
// (system name, "/", sender address) into the address book. The commands are enabled only
// while a message is on display.
//
// Each returns the text for the destination field when the address book was dealt with (the
// caller then runs RefreshAddressBook and sets the field), or none when the sender was
// refused or the command had nothing to act on.
class AddSenderCommands {
public:
    AddSenderCommands(AddressBookStore &store, Prompter &prompter, SoundPlayer &sound);

    // Name: the text before the first "/"; host: the text behind the last "/". A name with a
    // forbidden character is refused with message 211/212, an empty one with the question
    // sound. An existing user of that name is replaced only when the user says so, and keeps
    // its state. Plays "CCSelect" when done.
    std::optional<QString> AddSenderToGroup(const QString &sender, const QString &group);

    // "&Outside Any Group".
    std::optional<QString> addToTopLevel(const QString &sender);
    // "&Junk Senders List": deactivates the group "Junk Senders", then files the sender there.
    std::optional<QString> addToJunkSenders(const QString &sender);
    // A group item: the group at that position in the store as it is now; nothing when the
    // position no longer exists.
    std::optional<QString> addToGroupItem(int commandId, const QString &sender);

private:
    AddressBookStore &m_store;
    Prompter &m_prompter;
    SoundPlayer &m_sound;
};

} // namespace tq
