#include "addressbook/AddressBookStore.h"

#include "addressbook/AddressBookNames.h"
#include "addressbook/TemplateFiles.h"
#include "settings/AppDataDir.h"

#include <QFile>

#include <algorithm>

namespace tq {
namespace {

using namespace addressbook;

const QString kBookSection = QLatin1String(kAddressBookSection);
const QString kDisableSection = QLatin1String(kDisableGroupSection);

QChar flagOf(bool active)
{
    return active ? QLatin1Char('1') : QLatin1Char('0');
}

QString valueName(bool active, const QString &userName)
{
    return flagOf(active) + userName;
}

bool nameLess(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

void sortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), nameLess);
}

bool containsIgnoringCase(const QStringList &names, const QString &name)
{
    return names.contains(name, Qt::CaseInsensitive);
}

bool isUsableName(const QString &name)
{
    return !name.isEmpty() && !hasForbiddenCharacter(name);
}

// A group name that would reach the top level could never be told apart from it: deleting
// such a group would delete the whole address book.
bool isUsableGroupName(const QString &name)
{
    return isUsableName(name) && !isTopLevel(name);
}

} // namespace

AddressBookStore::AddressBookStore(SettingsStore settings)
    : m_settings(std::move(settings))
{
}

QString AddressBookStore::levelSection(const QString &group) const
{
    if (isTopLevel(group))
        return kBookSection;
    if (hasForbiddenCharacter(group))
        return {};
    return kBookSection + QLatin1Char('\\') + group;
}

bool AddressBookStore::ensureExists()
{
    return m_settings.createSection(kBookSection);
}

QList<GroupEntry> AddressBookStore::ListGroups() const
{
    QStringList names = m_settings.subSections(kBookSection);
    sortNames(names);
    const QStringList deactivated = deactivatedGroupNames();
    QList<GroupEntry> groups;
    groups.reserve(names.size());
    for (const QString &name : names)
        groups.append({name, !containsIgnoringCase(deactivated, name)});
    return groups;
}

QList<UserEntry> AddressBookStore::ListUsers(const QString &group) const
{
    const QString section = levelSection(group);
    QList<UserEntry> users;
    if (section.isEmpty())
        return users;
    for (const SettingsStore::Entry &entry : m_settings.entries(section)) {
        if (entry.name.isEmpty())
            continue;
        users.append({entry.name.mid(1), entry.value, entry.name.front() == QLatin1Char('1')});
    }
    std::sort(users.begin(), users.end(), [](const UserEntry &a, const UserEntry &b) {
        if (a.name != b.name)
            return nameLess(a.name, b.name);
        return a.active < b.active;
    });
    return users;
}

QStringList AddressBookStore::deactivatedGroupNames() const
{
    QStringList names;
    for (const SettingsStore::Entry &entry : m_settings.entries(kDisableSection))
        names.append(entry.name);
    sortNames(names);
    return names;
}

bool AddressBookStore::CreateGroup(const QString &name)
{
    if (!isUsableGroupName(name))
        return false;
    return m_settings.createSection(levelSection(name));
}

std::optional<QString> AddressBookStore::newGroupName() const
{
    QStringList taken;
    for (const GroupEntry &group : ListGroups())
        taken.append(group.name);
    for (const UserEntry &user : ListUsers(topLevelName()))
        taken.append(user.name);
    return defaultGroupName(taken);
}

AddressBookStore::RenameResult AddressBookStore::RenameGroup(const QString &oldName, const QString &newName)
{
    if (newName.isEmpty())
        return RenameResult::Unchanged;
    if (hasForbiddenCharacter(newName))
        return RenameResult::ForbiddenCharacter;
    if (!isUsableGroupName(oldName))
        return RenameResult::Unchanged;
    if (isTopLevel(newName))
        return RenameResult::NameTaken;
    const QList<GroupEntry> groups = ListGroups();
    const bool exists = std::any_of(groups.begin(), groups.end(), [&](const GroupEntry &group) {
        return group.name.compare(oldName, Qt::CaseInsensitive) == 0;
    });
    if (!exists)
        return RenameResult::Unchanged;
    const bool taken = std::any_of(groups.begin(), groups.end(), [&](const GroupEntry &group) {
        return group.name.compare(oldName, Qt::CaseInsensitive) != 0
            && group.name.compare(newName, Qt::CaseInsensitive) == 0;
    });
    if (taken)
        return RenameResult::NameTaken;
    if (oldName == newName)
        return RenameResult::Renamed;

    const QString oldSection = levelSection(oldName);
    const QString newSection = levelSection(newName);
    const QList<SettingsStore::Entry> users = m_settings.entries(oldSection);
    const bool wasDeactivated = containsIgnoringCase(deactivatedGroupNames(), oldName);
    const auto writeNewGroup = [&] {
        m_settings.createSection(newSection);
        for (const SettingsStore::Entry &user : users)
            m_settings.WriteProfileString(newSection, user.name, user.value);
    };
    // The store knows the two spellings of one name as one section: a change of letter case
    // only has to go through a removal first.
    if (oldName.compare(newName, Qt::CaseInsensitive) == 0) {
        m_settings.deleteSection(oldSection);
        writeNewGroup();
    } else {
        writeNewGroup();
        m_settings.deleteSection(oldSection);
    }
    if (wasDeactivated) {
        removeValue(kDisableSection, oldName);
        m_settings.WriteProfileInt(kDisableSection, newName, 0);
    }
    return RenameResult::Renamed;
}

bool AddressBookStore::DeleteGroup(const QString &name)
{
    if (!isUsableGroupName(name))
        return false;
    if (const auto file = templateFilePath(AppDataDir::path(), name))
        QFile::remove(*file);
    const bool deleted = m_settings.deleteSection(levelSection(name));
    removeValue(kDisableSection, name);
    // Like a registry key, the address book outlives its last group.
    ensureExists();
    return deleted;
}

bool AddressBookStore::SetGroupActive(const QString &name, bool active)
{
    if (!isUsableGroupName(name))
        return false;
    if (active)
        return removeValue(kDisableSection, name);
    return m_settings.WriteProfileInt(kDisableSection, name, 0);
}

bool AddressBookStore::MarkGroupDeactivated(const QString &name)
{
    return SetGroupActive(name, false);
}

bool AddressBookStore::PutUser(const QString &group, const QString &name, const QString &host)
{
    const QString section = levelSection(group);
    if (section.isEmpty() || !isUsableName(name))
        return false;
    removeValue(section, valueName(true, name));
    removeValue(section, valueName(false, name));
    return m_settings.WriteProfileString(section, valueName(true, name), host);
}

bool AddressBookStore::PutUserKeepState(const QString &group, const QString &name, const QString &host, bool active)
{
    const QString section = levelSection(group);
    if (section.isEmpty() || !isUsableName(name))
        return false;
    return m_settings.WriteProfileString(section, valueName(active, name), host);
}

bool AddressBookStore::RemoveUser(const QString &group, const QString &name, bool active)
{
    const QString section = levelSection(group);
    if (section.isEmpty())
        return false;
    return removeValue(section, valueName(active, name));
}

bool AddressBookStore::SetUserActive(const QString &group, const QString &name, const QString &host, bool wasActive)
{
    const QString section = levelSection(group);
    if (section.isEmpty() || !isUsableName(name))
        return false;
    removeValue(section, valueName(wasActive, name));
    return m_settings.WriteProfileString(section, valueName(!wasActive, name), host);
}

bool AddressBookStore::ModifyUser(const QString &fromGroup, const QString &oldName, bool active, const QString &toGroup,
                                  const QString &newName, const QString &host)
{
    const QString from = levelSection(fromGroup);
    const QString to = levelSection(toGroup);
    if (from.isEmpty() || to.isEmpty() || !isUsableName(newName))
        return false;
    removeValue(from, valueName(active, oldName));
    removeValue(to, valueName(true, newName));
    removeValue(to, valueName(false, newName));
    return m_settings.WriteProfileString(to, valueName(active, newName), host);
}

AddressBookStore::RenameResult AddressBookStore::RenameUser(const QString &group, const QString &oldName, bool active,
                                                            const QString &newName)
{
    if (newName.isEmpty())
        return RenameResult::Unchanged;
    if (hasForbiddenCharacter(newName))
        return RenameResult::ForbiddenCharacter;
    const QString section = levelSection(group);
    if (section.isEmpty())
        return RenameResult::Unchanged;
    const QList<UserEntry> users = ListUsers(group);
    const auto self = std::find_if(users.begin(), users.end(), [&](const UserEntry &user) {
        return user.active == active && user.name.compare(oldName, Qt::CaseInsensitive) == 0;
    });
    if (self == users.end())
        return RenameResult::Unchanged;
    const bool taken = std::any_of(users.begin(), users.end(), [&](const UserEntry &user) {
        return &user != &*self && user.name.compare(newName, Qt::CaseInsensitive) == 0;
    });
    if (taken)
        return RenameResult::NameTaken;
    removeValue(section, valueName(active, oldName));
    m_settings.WriteProfileString(section, valueName(active, newName), self->host);
    return RenameResult::Renamed;
}

std::optional<bool> AddressBookStore::FindUserFlag(const QString &group, const QString &name) const
{
    const QString section = levelSection(group);
    if (section.isEmpty())
        return std::nullopt;
    std::optional<bool> flag;
    if (!m_settings.GetProfileString(section, valueName(true, name)).isEmpty())
        flag = true;
    if (!m_settings.GetProfileString(section, valueName(false, name)).isEmpty())
        flag = false;
    return flag;
}

bool AddressBookStore::removeValue(const QString &section, const QString &name)
{
    // Deleting what is not there is no error, and must not create the section either.
    const QList<SettingsStore::Entry> entries = m_settings.entries(section);
    const bool present = std::any_of(entries.begin(), entries.end(), [&](const SettingsStore::Entry &entry) {
        return entry.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return !present || m_settings.deleteEntry(section, name);
}

} // namespace tq
