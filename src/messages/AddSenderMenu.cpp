#include "messages/AddSenderMenu.h"

#include "res/StringTable.h"

namespace tq {

AddSenderMenu::AddSenderMenu(QAction *outsideAnyGroup, QAction *junkSenders, QWidget *parent)
    : QMenu(tqString(Sid::MenuAddSenderTo), parent)
{
    setObjectName(QStringLiteral("addSenderMenu"));
    addAction(outsideAnyGroup);
    addAction(junkSenders);
}

void AddSenderMenu::setGroupItems(const QList<GroupMenuItem> &items)
{
    // Everything behind the two fixed items goes.
    const QList<QAction *> present = actions();
    for (qsizetype i = 2; i < present.size(); ++i) {
        removeAction(present[i]);
        if (present[i]->parent() == this)
            delete present[i];
    }
    m_groupActions.clear();
    if (!items.isEmpty())
        addSeparator();
    for (const GroupMenuItem &item : items) {
        // A group name is shown as it is, never as a mnemonic.
        QString text = item.text;
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *action = addAction(text);
        action->setObjectName(QStringLiteral("actionAddSender%1").arg(item.commandId));
        action->setData(item.commandId);
        const int commandId = item.commandId;
        connect(action, &QAction::triggered, this, [this, commandId] { Q_EMIT groupChosen(commandId); });
        m_groupActions.append(action);
    }
}

void AddSenderMenu::setItemsEnabled(bool enabled)
{
    menuAction()->setEnabled(enabled);
    for (QAction *action : std::as_const(m_groupActions))
        action->setEnabled(enabled);
}

} // namespace tq
