#pragma once

#include "settings/SettingsStore.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tq {

// One user of a level: stored as the value flag + name = host, flag '1' active, '0' not.
struct UserEntry {
    QString name;
    QString host;
    bool active = true;

    friend bool operator==(const UserEntry &, const UserEntry &) = default;
};

struct GroupEntry {
    QString name;
    bool active = true;

    friend bool operator==(const GroupEntry &, const GroupEntry &) = default;
};

// The address book in the settings store: users in the section "AddressBook" (the top level)
// and in one sub-section per group; a group is deactivated while "DisableGroup" holds a value
// of its name. Every change of the address book goes through this class.
//
// Names match without regard to case, as the settings store matches them. A group argument
// that is empty or "Outside Any Group" means the top level.
//
// Order: the settings file keeps names sorted by character code, which would put every
// deactivated user ('0...') before every active one and "Zoe" before "ann". The store
// therefore lists groups, users and deactivated-group names sorted by name without regard to
// case (a user by its name without the flag, so a change of state never moves it). Positions
// change only when the address book itself changes, which is what group codes and menu ids
// rely on between two refreshes.
//
// A name with one of the forbidden characters is never written, nor an empty user name, nor a
// group named "Outside Any Group" (deleting it would delete the top level): such a call
// returns false (or a refusing RenameResult) and leaves the store as it was.
class AddressBookStore {
public:
    explicit AddressBookStore(SettingsStore settings = SettingsStore());

    enum class RenameResult {
        Renamed,
        Unchanged, // the new name is empty
        ForbiddenCharacter, // message 211/212
        NameTaken, // another item of the same kind in the level bears it
    };

    // Creates "AddressBook" when it is missing (done once when the main view starts).
    bool ensureExists();

    QList<GroupEntry> ListGroups() const;
    QList<UserEntry> ListUsers(const QString &group) const;
    // Value names of "DisableGroup" in store order; they need not name an existing group.
    QStringList deactivatedGroupNames() const;

    bool CreateGroup(const QString &name);
    // The first free default name ("My Group", "My Group1", ...) among the items of the top
    // level, groups and users alike; none when all are taken.
    std::optional<QString> newGroupName() const;
    RenameResult RenameGroup(const QString &oldName, const QString &newName);
    // Deletes the group's template file, its section with its users and its "DisableGroup" value.
    bool DeleteGroup(const QString &name);
    bool SetGroupActive(const QString &name, bool active);
    bool MarkGroupDeactivated(const QString &name);

    // Replaces any user of that name in the level, whatever its state; active afterwards.
    bool PutUser(const QString &group, const QString &name, const QString &host);
    bool PutUserKeepState(const QString &group, const QString &name, const QString &host, bool active);
    bool RemoveUser(const QString &group, const QString &name, bool active);
    bool SetUserActive(const QString &group, const QString &name, const QString &host, bool wasActive);
    // Takes the user out of `fromGroup` and stores it in `toGroup` as `newName` = `host` with
    // its state, replacing any user of that name there whatever its state, so the level never
    // holds one name twice.
    bool ModifyUser(const QString &fromGroup, const QString &oldName, bool active, const QString &toGroup,
                    const QString &newName, const QString &host);
    // Keeps the user's state and host.
    RenameResult RenameUser(const QString &group, const QString &oldName, bool active, const QString &newName);
    // true: "1" + name holds a host; false: "0" + name holds one (this wins); none otherwise.
    // A value with an empty host counts as absent.
    std::optional<bool> FindUserFlag(const QString &group, const QString &name) const;

    const SettingsStore &settings() const { return m_settings; }

private:
    // The level's section; empty when the group name could not be a section of its own.
    QString levelSection(const QString &group) const;
    bool removeValue(const QString &section, const QString &name);

    SettingsStore m_settings;
};

} // namespace tq
