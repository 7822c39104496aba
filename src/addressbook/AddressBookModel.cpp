#include "addressbook/AddressBookModel.h"

#include "addressbook/AddressBookNames.h"
#include "addressbook/PresenceTexts.h"
#include "res/StringTable.h"

#include <algorithm>
#include <numeric>

namespace tq {

using addressbook::SortOrder;

AddressBookModel::AddressBookModel(AddressBookStore &store, QObject *parent)
    : QAbstractTableModel(parent)
    , m_store(store)
    , m_level(addressbook::topLevelName())
{
}

int AddressBookModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int AddressBookModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant AddressBookModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return index.column() == UserColumn ? row.name : row.host;
    case GroupRole:
        return row.group;
    case ActiveRole:
        return row.active;
    case PresenceRole:
    case Qt::ToolTipRole:
        return index.column() == UserColumn ? presenceData(row, role) : QVariant();
    default:
        return {};
    }
}

QVariant AddressBookModel::presenceData(const Row &row, int role) const
{
    if (!m_presence)
        return {};
    if (row.group) {
        if (role != Qt::ToolTipRole || !m_presence->isEnabled())
            return {};
        const QString text = groupPresenceText(m_presence->groupPresence(row.name));
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    // A deactivated user shows no mark, even where an active one shares its name and host.
    const UserPresence presence = row.active ? m_presence->userPresence(row.name, row.host) : UserPresence();
    if (role == PresenceRole)
        return static_cast<int>(presence.state);
    if (!m_presence->isEnabled())
        return {};
    return presenceToolTip(presence, QDateTime::currentDateTime());
}

void AddressBookModel::setPresenceSource(PresenceSource *source)
{
    if (m_presence)
        m_presence->disconnect(this);
    m_presence = source;
    if (source)
        connect(source, &PresenceSource::presenceChanged, this, &AddressBookModel::presenceChanged);
    presenceChanged();
}

void AddressBookModel::presenceChanged()
{
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, UserColumn), index(static_cast<int>(m_rows.size()) - 1, UserColumn),
                           {PresenceRole, Qt::ToolTipRole});
}

QVariant AddressBookModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return tqString(section == UserColumn ? Sid::UserColumnTitle : Sid::HostColumnTitle);
}

Qt::ItemFlags AddressBookModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == UserColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool AddressBookModel::atTopLevel() const
{
    return addressbook::isTopLevel(m_level);
}

QStringList AddressBookModel::levelNames() const
{
    return addressbook::levelListNames(m_groupNames);
}

QString AddressBookModel::title() const
{
    return addressbook::dialogTitle(atTopLevel(), m_groupCount, m_userCount);
}

void AddressBookModel::showTopLevel()
{
    beginResetModel();
    m_level = addressbook::topLevelName();
    m_rows.clear();
    m_groupNames.clear();
    // Groups first, in store order, so that they stand before the users.
    for (const GroupEntry &group : m_store.ListGroups()) {
        m_rows.append({group.name, {}, group.active, true});
        m_groupNames.append(group.name);
    }
    m_groupRows = m_groupCount = static_cast<int>(m_rows.size());
    for (const UserEntry &user : m_store.ListUsers(m_level))
        m_rows.append({user.name, user.host, user.active, false});
    m_userCount = static_cast<int>(m_rows.size()) - m_groupRows;
    sortInPlace(nullptr);
    endResetModel();
    Q_EMIT levelStateChanged();
}

void AddressBookModel::showLevel(QString group)
{
    if (addressbook::isTopLevel(group)) {
        showTopLevel();
        return;
    }
    beginResetModel();
    m_level = std::move(group);
    m_rows.clear();
    m_groupRows = 0;
    for (const UserEntry &user : m_store.ListUsers(m_level))
        m_rows.append({user.name, user.host, user.active, false});
    m_userCount = static_cast<int>(m_rows.size());
    sortInPlace(nullptr);
    endResetModel();
    Q_EMIT levelStateChanged();
}

void AddressBookModel::setSortOrder(const SortOrder &order)
{
    m_sort = order;
    resortRows();
}

void AddressBookModel::sortByHeader(int column)
{
    setSortOrder(addressbook::afterHeaderClick(m_sort, column));
}

void AddressBookModel::sortInPlace(QList<int> *oldToNew)
{
    QList<QByteArray> keys;
    keys.reserve(m_rows.size());
    for (const Row &row : m_rows)
        keys.append(addressbook::sortKey(m_sort.column == HostColumn ? row.host : row.name));
    QList<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    const auto less = [&](int a, int b) { return m_sort.ascending ? keys[a] < keys[b] : keys[b] < keys[a]; };
    std::stable_sort(order.begin(), order.begin() + m_groupRows, less);
    std::stable_sort(order.begin() + m_groupRows, order.end(), less);

    QList<Row> sorted;
    sorted.reserve(m_rows.size());
    for (const int old : order)
        sorted.append(m_rows[old]);
    m_rows = std::move(sorted);
    if (oldToNew) {
        oldToNew->resize(order.size());
        for (int position = 0; position < order.size(); ++position)
            (*oldToNew)[order[position]] = position;
    }
}

void AddressBookModel::resortRows()
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> oldToNew;
    sortInPlace(&oldToNew);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after.append(index.isValid() ? this->index(oldToNew[index.row()], index.column()) : QModelIndex());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void AddressBookModel::setRow(int row, const Row &value)
{
    m_rows[row] = value;
    Q_EMIT dataChanged(index(row, UserColumn), index(row, HostColumn));
}

void AddressBookModel::removeListRow(int row)
{
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    if (row < m_groupRows)
        --m_groupRows;
    endRemoveRows();
}

void AddressBookModel::toggle(const QList<int> &rows)
{
    for (const int row : rows) {
        if (row < 0 || row >= m_rows.size())
            continue;
        Row entry = m_rows[row];
        const bool written = entry.group ? m_store.SetGroupActive(entry.name, !entry.active)
                                         : m_store.SetUserActive(m_level, entry.name, entry.host, entry.active);
        if (!written)
            continue;
        m_changed = true;
        entry.active = !entry.active;
        setRow(row, entry);
    }
}

AddressBookStore::RenameResult AddressBookModel::rename(int row, const QString &newName)
{
    if (row < 0 || row >= m_rows.size())
        return AddressBookStore::RenameResult::Unchanged;
    Row entry = m_rows[row];
    const AddressBookStore::RenameResult result = entry.group
        ? m_store.RenameGroup(entry.name, newName)
        : m_store.RenameUser(m_level, entry.name, entry.active, newName);
    if (result != AddressBookStore::RenameResult::Renamed)
        return result;
    m_changed = true;
    if (entry.group) {
        const qsizetype position = m_groupNames.indexOf(entry.name);
        if (position >= 0)
            m_groupNames[position] = newName;
    }
    entry.name = newName;
    setRow(row, entry);
    resortRows();
    if (entry.group)
        Q_EMIT levelStateChanged();
    return result;
}

std::optional<int> AddressBookModel::addGroup()
{
    if (!atTopLevel())
        return std::nullopt;
    const std::optional<QString> name = m_store.newGroupName();
    if (!name || !m_store.CreateGroup(*name))
        return std::nullopt;
    m_changed = true;
    beginInsertRows({}, 0, 0);
    m_rows.prepend({*name, {}, true, true});
    ++m_groupRows;
    endInsertRows();
    // Named where the header's order puts it, so the list never shows a row out of that order.
    const QPersistentModelIndex added(index(0, UserColumn));
    resortRows();
    m_groupNames.append(*name);
    ++m_groupCount;
    Q_EMIT levelStateChanged();
    return added.row();
}

void AddressBookModel::removeRowAt(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    const Row entry = m_rows[row];
    if (entry.group) {
        m_store.DeleteGroup(entry.name);
        m_groupNames.removeAll(entry.name);
        --m_groupCount;
    } else {
        m_store.RemoveUser(m_level, entry.name, entry.active);
        --m_userCount;
    }
    m_changed = true;
    removeListRow(row);
    Q_EMIT levelStateChanged();
}

AddressBookModel::UserEdit AddressBookModel::checkUserName(const QString &name)
{
    if (addressbook::hasForbiddenCharacter(name))
        return UserEdit::ForbiddenCharacter;
    if (name.isEmpty())
        return UserEdit::EmptyName;
    return UserEdit::Stored;
}

bool AddressBookModel::isShown(const QString &group) const
{
    return addressbook::sameLevel(group, m_level);
}

int AddressBookModel::findUserRow(const QString &name, int except) const
{
    for (int row = m_groupRows; row < m_rows.size(); ++row) {
        if (row != except && m_rows[row].name.compare(name, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

void AddressBookModel::showStoredUser(const QString &name, const QString &host, bool active)
{
    const Row entry{name, host, active, false};
    const int row = findUserRow(name);
    if (row >= 0) {
        setRow(row, entry);
        resortRows();
        return;
    }
    const int end = static_cast<int>(m_rows.size());
    beginInsertRows({}, end, end);
    m_rows.append(entry);
    endInsertRows();
    resortRows();
    ++m_userCount;
    Q_EMIT levelStateChanged();
}

AddressBookModel::UserEdit AddressBookModel::addUser(const QString &group, const QString &name, const QString &host)
{
    const UserEdit check = checkUserName(name);
    if (check != UserEdit::Stored)
        return check;
    if (m_store.PutUser(group, name, host)) {
        m_changed = true;
        if (isShown(group))
            showStoredUser(name, host, true);
    }
    return UserEdit::Stored;
}

AddressBookModel::UserEdit AddressBookModel::modifyUser(const QPersistentModelIndex &row, const QString &group,
                                                        const QString &name, const QString &host)
{
    const UserEdit check = checkUserName(name);
    if (check != UserEdit::Stored)
        return check;
    if (row.isValid() && row.model() == this && !m_rows[row.row()].group)
        moveUser(row.row(), group, name, host);
    return UserEdit::Stored;
}

void AddressBookModel::moveUser(int row, const QString &group, const QString &name, const QString &host)
{
    const Row old = m_rows[row];
    if (!m_store.ModifyUser(m_level, old.name, old.active, group, name, host))
        return;
    m_changed = true;
    const Row moved{name, host, old.active, false};
    if (isShown(group)) {
        const int other = findUserRow(name, row);
        if (other < 0) {
            setRow(row, moved);
            resortRows();
            return;
        }
        // The level holds one user of a name: the row that bore it takes the moved user.
        setRow(other, moved);
    }
    removeListRow(row);
    resortRows();
    --m_userCount;
    Q_EMIT levelStateChanged();
}

void AddressBookModel::copyUsers(const QList<QPersistentModelIndex> &rows, const QString &group)
{
    for (const QPersistentModelIndex &index : rows) {
        if (!index.isValid() || index.model() != this)
            continue;
        const Row entry = m_rows[index.row()];
        if (entry.group || !m_store.PutUser(group, entry.name, entry.host))
            continue;
        m_changed = true;
        if (isShown(group))
            showStoredUser(entry.name, entry.host, true);
    }
}

void AddressBookModel::moveUsers(const QList<QPersistentModelIndex> &rows, const QString &group)
{
    for (const QPersistentModelIndex &index : rows) {
        if (!index.isValid() || index.model() != this)
            continue;
        const Row entry = m_rows[index.row()];
        if (!entry.group)
            moveUser(index.row(), group, entry.name, entry.host);
    }
}

} // namespace tq
