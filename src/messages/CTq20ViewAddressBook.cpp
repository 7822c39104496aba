// The view and the address book: the snapshot, the destination list, picking an entry, and
// the "Add sender to..." commands.
#include "messages/CTq20View.h"

#include "addressbook/AddSenderCommands.h"
#include "addressbook/AddressBookStore.h"
#include "addressbook/DestinationComboBox.h"
#include "addressbook/RefreshAddressBook.h"
#include "addressbook/ReplyDestination.h"
#include "addressbook/TemplateFiles.h"
#include "messages/DisplayText.h"
#include "messages/MessageEdit.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QMenu>

namespace tq {

void CTq20View::refreshAddressBook()
{
    const AddressBookRefresh refresh =
        RefreshAddressBook(AddressBookStore(m_settings), m_settingsCache.useProtocol != 0);
    m_addressBook = refresh.snapshot;
    m_destinationBox->setDestinations(refresh.destinations);

    // The group part of the menu: everything behind the two fixed items.
    const QList<QAction *> items = m_addSenderMenu->actions();
    for (qsizetype i = 2; i < items.size(); ++i) {
        m_addSenderMenu->removeAction(items[i]);
        if (items[i]->parent() == m_addSenderMenu)
            delete items[i];
    }
    m_addSenderGroupActions.clear();
    if (!refresh.senderGroupItems.isEmpty())
        m_addSenderMenu->addSeparator();
    for (const GroupMenuItem &item : refresh.senderGroupItems) {
        // A group name is shown as it is, never as a mnemonic.
        QString text = item.text;
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *action = m_addSenderMenu->addAction(text);
        action->setObjectName(QStringLiteral("actionAddSender%1").arg(item.commandId));
        action->setData(item.commandId);
        const int commandId = item.commandId;
        connect(action, &QAction::triggered, this, [this, commandId] { addSenderCommand(commandId); });
        m_addSenderGroupActions.append(action);
    }
    updateCommandStates();
}

void CTq20View::addressBookChanged()
{
    refreshAddressBook();
    if (const MessageRecord *current = m_viewer.messages().current())
        m_destinationBox->setEditText(replyDestination(decodeMessageBytes(current->sender)));
}

void CTq20View::updateAddSenderGroupStates(bool enabled)
{
    for (QAction *action : std::as_const(m_addSenderGroupActions))
        action->setEnabled(enabled);
}

void CTq20View::addSenderCommand(int commandId)
{
    const MessageRecord *current = m_viewer.messages().current();
    if (!current)
        return;
    // A copy: the boxes below run their own event loops, whose arrivals may free the record.
    const QString sender = decodeMessageBytes(current->sender);
    AddressBookStore store(m_settings);
    AddSenderCommands commands(store, m_prompter, m_sound);
    std::optional<QString> destination;
    if (commandId == kAddSenderOutsideCommand)
        destination = commands.addToTopLevel(sender);
    else if (commandId == kAddSenderJunkCommand)
        destination = commands.addToJunkSenders(sender);
    else
        destination = commands.addToGroupItem(commandId, sender);
    if (!destination)
        return;
    refreshAddressBook();
    m_destinationBox->setEditText(*destination);
}

void CTq20View::onDestinationPicked(int index)
{
    if (index >= 0 && index < m_destinationBox->count()) {
        const std::optional<QString> text =
            addressbook::composeTextAfterPick(AppDataDir::path(), m_destinationBox->itemText(index), m_destinationBox->codeAt(index),
                                              m_viewer.composeReplaceable(), m_composeBox->toPlainText());
        if (text) {
            QString shown = *text;
            shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            setComposeText(shown);
        }
    }
    m_composeBox->setFocus();
    m_composeBox->selectAll();
}

} // namespace tq
