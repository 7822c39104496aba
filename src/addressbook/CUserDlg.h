#pragma once

#include <QDialog>
#include <QList>
#include <QPersistentModelIndex>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tq {

class AddressBookModel;
class Prompter;
class SoundPlayer;

// "Add or modify user": a name, a host and a group. "&Add" stores a new user and stays open
// for the next one; "&Modify" changes the user the dialog was opened for, and closes. With
// several rows selected it copies ("&Copy") or moves ("&Move") all of their users to the
// chosen group. The changes go through the address book list's model, which keeps the list in
// step with the store.
class CUserDlg : public QDialog {
    Q_OBJECT
public:
    // `rows`: none for a new user, the row of the user to edit, or the selected rows.
    CUserDlg(AddressBookModel &model, const QList<QPersistentModelIndex> &rows, Prompter &prompter, SoundPlayer &sound,
             QWidget *parent = nullptr);

    bool isMultiple() const { return m_multiple; }

private:
    void onAdd();
    void onModify();
    QString chosenGroup() const;
    void fillMultiple();

    AddressBookModel &m_model;
    QList<QPersistentModelIndex> m_rows;
    Prompter &m_prompter;
    SoundPlayer &m_sound;
    bool m_multiple = false;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_host = nullptr;
    QComboBox *m_groups = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_modifyButton = nullptr;
};

} // namespace tq
