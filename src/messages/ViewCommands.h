#pragma once

#include "messages/ViewCommandStates.h"

#include <QObject>

#include <map>

class QAction;
class QMenu;
class QWidget;

namespace tq {

class MessageStation;

enum class ViewCommand {
    Previous,
    Next,
    Delete,
    DiscardAll,
    PopupOnReceipt,
    AddSenderOutsideAnyGroup,
    AddSenderJunk,
    Send,
    SendHighImportance,
    Undo,
    Cut,
    Copy,
    Paste,
    SelectAll,
};

// The message view's commands as actions with their texts and keys; the "Edit" menu, which is
// also the context menu of both text panes; the edit commands, which act on whatever edit has
// the focus; and which commands are enabled, by the station's message list and that edit.
// What the other commands do is the view's to connect.
class ViewCommands : public QObject {
    Q_OBJECT
public:
    // The actions are added to `view`, so their keys work wherever the focus is in its window.
    ViewCommands(const MessageStation &station, QWidget *view);

    QAction *action(ViewCommand command) const;
    QMenu *editMenu() const { return m_editMenu; }
    // Enables each command as things stand now.
    void updateStates();

Q_SIGNALS:
    void statesUpdated(const tq::ViewCommandStates &states);

private:
    void runEditCommand(ViewCommand command);

    const MessageStation &m_station;
    std::map<ViewCommand, QAction *> m_actions;
    QMenu *m_editMenu = nullptr;
};

} // namespace tq
