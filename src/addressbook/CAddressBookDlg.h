#pragma once

#include "addressbook/AddressBookStore.h"
#include "settings/SettingsStore.h"

#include <QDialog>
#include <QList>
#include <QPersistentModelIndex>

class QComboBox;
class QPushButton;
class QToolButton;

namespace tq {

class AddressBookListView;
class AddressBookModel;
class PresenceSource;
class Prompter;
class SoundPlayer;

// The Address Book window: the users and groups of one level in a list, a level list to move
// between the top level and the groups, buttons to go up, add a user, add a group and remove
// the selected rows, and a legend of the pictures. Every change goes to the store at once;
// closing commits nothing more.
//
// Both ways of closing it (the Close button, the window's close box or Escape) end it with
// QDialog::Accepted, and the caller then refreshes what it derives from the address book.
// changedAddressBook() and addressBookChanged() tell whether anything was written at all.
class CAddressBookDlg : public QDialog {
    Q_OBJECT
public:
    CAddressBookDlg(SettingsStore settings, Prompter &prompter, SoundPlayer &sound, QWidget *parent = nullptr);
    ~CAddressBookDlg() override;

    bool changedAddressBook() const;
    // Marks each user with its presence, and says in tool tips since when; none by default.
    void setPresenceSource(PresenceSource *source);

    // Applies an open in-place edit, keeps the column widths and the sort order, and closes.
    void done(int result) override;

Q_SIGNALS:
    // Emitted once as the window closes, when it changed the address book.
    void addressBookChanged();

private:
    void createControls();
    void showTopLevel();
    void upOneLevel();
    void chooseLevel(int index);
    void openRow(int row);
    void addUser();
    void addGroup();
    void removeItems();
    void toggleRows(const QList<int> &rows);
    void applyRename(const QPersistentModelIndex &row, const QString &text);
    void sortByColumn(int column);
    void showSortIndicator();
    void updateLevelState();
    void updateRemoveButton();
    void openUserDialog(const QList<QPersistentModelIndex> &rows);

    SettingsStore m_settings;
    AddressBookStore m_store;
    Prompter &m_prompter;
    SoundPlayer &m_sound;
    AddressBookModel *m_model = nullptr;
    AddressBookListView *m_list = nullptr;
    QComboBox *m_levelList = nullptr;
    QToolButton *m_upButton = nullptr;
    QToolButton *m_addUserButton = nullptr;
    QToolButton *m_addGroupButton = nullptr;
    QToolButton *m_removeButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    bool m_closing = false;
};

} // namespace tq
