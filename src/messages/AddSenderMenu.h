#pragma once

#include "addressbook/RefreshAddressBook.h"

#include <QList>
#include <QMenu>

namespace tq {

// "Add sender to...": its two fixed items ("Outside Any Group", "Junk Senders List"), then,
// after a separator, one item for each group of the address book.
class AddSenderMenu : public QMenu {
    Q_OBJECT
public:
    AddSenderMenu(QAction *outsideAnyGroup, QAction *junkSenders, QWidget *parent);

    // Replaces the group items.
    void setGroupItems(const QList<GroupMenuItem> &items);
    // The menu and its group items are enabled only while a message is on display (the fixed
    // items are commands of their own).
    void setItemsEnabled(bool enabled);

Q_SIGNALS:
    // The group item with this command id was chosen.
    void groupChosen(int commandId);

private:
    QList<QAction *> m_groupActions;
};

} // namespace tq
