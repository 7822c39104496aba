#pragma once

#include "addressbook/AddressBookListRules.h"
#include "addressbook/AddressBookStore.h"
#include "addressbook/PresenceSource.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>

namespace tq {

// The rows of the Address Book dialog's list: at the top level the groups ahead of the users
// outside any group, inside a group its users. Every change is written to the store at once and
// then applied to the row it concerns, so the list shows the store without reading it again.
// Group rows always stay ahead of user rows; each block is sorted on its own, and stays sorted
// through every change, so the list always shows the order its header shows.
class AddressBookModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { UserColumn = 0, HostColumn = 1 };
    // PresenceRole: a user's PresenceState as an int, in the first column, while a presence
    // source is set. The first column's tool tip then says the state and since when, or for a
    // group how many of its users are reachable.
    enum Role { GroupRole = Qt::UserRole + 1, ActiveRole, PresenceRole };

    struct Row {
        QString name;
        QString host; // empty for a group
        bool active = true;
        bool group = false;
    };

    // How the fields of the user dialog were taken.
    enum class UserEdit { Stored, EmptyName, ForbiddenCharacter };

    explicit AddressBookModel(AddressBookStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Only the name can be edited in place; the edit is applied by rename().
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const Row &rowAt(int row) const { return m_rows.at(row); }

    // The level shown: "Outside Any Group" or a group's name.
    const QString &level() const { return m_level; }
    bool atTopLevel() const;
    // Groups of the top level as last read, and users of the level shown.
    int groupCount() const { return m_groupCount; }
    int userCount() const { return m_userCount; }
    QStringList levelNames() const;
    QString title() const;

    // Reads the top level, or a group (the top level for "Outside Any Group"), and sorts it.
    void showTopLevel();
    // `group` is taken by value: it may well be the name of a row that the reading replaces.
    void showLevel(QString group);

    addressbook::SortOrder sortOrder() const { return m_sort; }
    void setSortOrder(const addressbook::SortOrder &order);
    void sortByHeader(int column);

    // Each row on its own changes between active and deactivated.
    void toggle(const QList<int> &rows);
    AddressBookStore::RenameResult rename(int row, const QString &newName);
    // A new group with the first free default name, at its sorted place; its row, or none
    // when no name is free or the level shown is a group.
    std::optional<int> addGroup();
    void removeRowAt(int row);

    // The user dialog's actions. `group` is the group chosen there.
    UserEdit addUser(const QString &group, const QString &name, const QString &host);
    UserEdit modifyUser(const QPersistentModelIndex &row, const QString &group, const QString &name,
                        const QString &host);
    // Several selected rows at once; group rows among them take no part.
    void copyUsers(const QList<QPersistentModelIndex> &rows, const QString &group);
    void moveUsers(const QList<QPersistentModelIndex> &rows, const QString &group);

    // Whether anything was written to the store since the model was made.
    bool changedStore() const { return m_changed; }

    // Where presence comes from; none (the default) shows none.
    void setPresenceSource(PresenceSource *source);

Q_SIGNALS:
    // The level shown, the counts or the group names changed.
    void levelStateChanged();

private:
    static UserEdit checkUserName(const QString &name);
    bool isShown(const QString &group) const;
    int findUserRow(const QString &name, int except = -1) const;
    // A user stored in the level shown: its row takes name, host and state, or a row is added.
    void showStoredUser(const QString &name, const QString &host, bool active);
    void moveUser(int row, const QString &group, const QString &name, const QString &host);
    void setRow(int row, const Row &value);
    void removeListRow(int row);
    void sortInPlace(QList<int> *oldToNew);
    void resortRows();
    QVariant presenceData(const Row &row, int role) const;
    void presenceChanged();

    AddressBookStore &m_store;
    QList<Row> m_rows;
    int m_groupRows = 0;
    QString m_level;
    QStringList m_groupNames;
    int m_groupCount = 0;
    int m_userCount = 0;
    addressbook::SortOrder m_sort;
    bool m_changed = false;
    QPointer<PresenceSource> m_presence;
};

} // namespace tq
