#include "messages/ViewCommands.h"

#include "res/StringTable.h"
#include "station/MessageStation.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>

namespace tq {
namespace {

struct CommandInfo {
    ViewCommand command;
    Sid text;
    const char *objectName;
    QList<QKeySequence> keys;
};

QList<CommandInfo> commandTable()
{
    using C = ViewCommand;
    const auto keys = [](std::initializer_list<QKeyCombination> list) {
        QList<QKeySequence> sequences;
        for (const QKeyCombination key : list)
            sequences.append(QKeySequence(key));
        return sequences;
    };
    return {
        {C::Previous, Sid::MenuPrevious, "actionPrevious", keys({Qt::ALT | Qt::Key_Left})},
        {C::Next, Sid::MenuNext, "actionNext", keys({Qt::ALT | Qt::Key_Right})},
        {C::Delete, Sid::MenuDelete, "actionDelete", keys({Qt::ALT | Qt::Key_Delete})},
        {C::DiscardAll, Sid::MenuDiscardAll, "actionDiscardAll", keys({Qt::SHIFT | Qt::ALT | Qt::Key_Delete})},
        {C::PopupOnReceipt, Sid::MenuPopupOnReceipt, "actionPopupOnReceipt", {}},
        {C::AddSenderOutsideAnyGroup, Sid::MenuOutsideAnyGroup, "actionAddSenderOutsideAnyGroup", {}},
        {C::AddSenderJunk, Sid::MenuJunkSenders, "actionAddSenderJunk", {}},
        {C::Send, Sid::MenuSendMessage, "actionSend", keys({Qt::ALT | Qt::Key_Return, Qt::ALT | Qt::Key_Enter})},
        {C::SendHighImportance, Sid::MenuSendHighImportance, "actionSendHighImportance", {}},
        {C::Undo, Sid::MenuUndo, "actionUndo", keys({Qt::CTRL | Qt::Key_Z})},
        {C::Cut, Sid::MenuCut, "actionCut", keys({Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete})},
        {C::Copy, Sid::MenuCopy, "actionCopy", keys({Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert})},
        {C::Paste, Sid::MenuPaste, "actionPaste", keys({Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert})},
        {C::SelectAll, Sid::MenuSelectAll, "actionSelectAll", keys({Qt::CTRL | Qt::Key_A})},
    };
}

// An editable combo box (the destination field) keeps the focus itself and hands the keys to
// its line edit: the edit commands work on that line edit.
QWidget *editWidget(QWidget *focus)
{
    if (auto *combo = qobject_cast<QComboBox *>(focus); combo && combo->isEditable() && combo->lineEdit())
        return combo->lineEdit();
    return focus;
}

EditTarget describeEditTarget(const QWidget *widget)
{
    EditTarget target;
    if (const auto *text = qobject_cast<const QPlainTextEdit *>(widget)) {
        target.isEdit = true;
        target.readOnly = text->isReadOnly();
        target.hasSelection = text->textCursor().hasSelection();
        target.canUndo = !target.readOnly && text->document()->isUndoAvailable();
        target.hasText = !text->document()->isEmpty();
    } else if (const auto *line = qobject_cast<const QLineEdit *>(widget)) {
        target.isEdit = true;
        target.readOnly = line->isReadOnly();
        target.hasSelection = line->hasSelectedText();
        target.canUndo = !target.readOnly && line->isUndoAvailable();
        target.hasText = !line->text().isEmpty();
    }
    return target;
}

bool clipboardHasText()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace

ViewCommands::ViewCommands(const MessageStation &station, QWidget *view)
    : QObject(view)
    , m_station(station)
{
    for (const CommandInfo &info : commandTable()) {
        auto *action = new QAction(tqString(info.text), view);
        action->setObjectName(QLatin1String(info.objectName));
        action->setShortcuts(info.keys);
        // The menu text already names the keys after its tab.
        action->setShortcutVisibleInContextMenu(false);
        m_actions[info.command] = action;
        view->addAction(action);
    }
    using C = ViewCommand;
    action(C::PopupOnReceipt)->setCheckable(true);
    action(C::PopupOnReceipt)->setChecked(m_station.popupOnReceipt());
    for (const C command : {C::Undo, C::Cut, C::Copy, C::Paste, C::SelectAll})
        connect(action(command), &QAction::triggered, this, [this, command] { runEditCommand(command); });

    m_editMenu = new QMenu(tqString(Sid::MenuEditTitle), view);
    m_editMenu->setObjectName(QStringLiteral("editMenu"));
    m_editMenu->addAction(action(C::Undo));
    m_editMenu->addSeparator();
    m_editMenu->addAction(action(C::Cut));
    m_editMenu->addAction(action(C::Copy));
    m_editMenu->addAction(action(C::Paste));
    m_editMenu->addSeparator();
    m_editMenu->addAction(action(C::SelectAll));

    // Edit commands follow whatever edit has the focus and what the clipboard holds.
    connect(m_editMenu, &QMenu::aboutToShow, this, &ViewCommands::updateStates);
    connect(qApp, &QApplication::focusChanged, this, &ViewCommands::updateStates);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &ViewCommands::updateStates);
}

QAction *ViewCommands::action(ViewCommand command) const
{
    const auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

void ViewCommands::updateStates()
{
    using C = ViewCommand;
    const ViewCommandStates states = m_station.viewer().commandStates(
        describeEditTarget(editWidget(QApplication::focusWidget())), clipboardHasText());
    action(C::Previous)->setEnabled(states.previous);
    action(C::Next)->setEnabled(states.next);
    action(C::Delete)->setEnabled(states.deleteMessage);
    action(C::DiscardAll)->setEnabled(states.discardAll);
    action(C::AddSenderOutsideAnyGroup)->setEnabled(states.addSender);
    action(C::AddSenderJunk)->setEnabled(states.addSender);
    action(C::Undo)->setEnabled(states.undo);
    action(C::Cut)->setEnabled(states.cut);
    action(C::Copy)->setEnabled(states.copy);
    action(C::Paste)->setEnabled(states.paste);
    action(C::SelectAll)->setEnabled(states.selectAll);
    Q_EMIT statesUpdated(states);
}

void ViewCommands::runEditCommand(ViewCommand command)
{
    QWidget *focus = editWidget(QApplication::focusWidget());
    if (auto *text = qobject_cast<QPlainTextEdit *>(focus)) {
        switch (command) {
        case ViewCommand::Undo:
            text->undo();
            break;
        case ViewCommand::Cut:
            text->cut();
            break;
        case ViewCommand::Copy:
            text->copy();
            break;
        case ViewCommand::Paste:
            text->paste();
            break;
        case ViewCommand::SelectAll:
            text->selectAll();
            break;
        default:
            break;
        }
    } else if (auto *line = qobject_cast<QLineEdit *>(focus)) {
        switch (command) {
        case ViewCommand::Undo:
            line->undo();
            break;
        case ViewCommand::Cut:
            line->cut();
            break;
        case ViewCommand::Copy:
            line->copy();
            break;
        case ViewCommand::Paste:
            line->paste();
            break;
        case ViewCommand::SelectAll:
            line->selectAll();
            break;
        default:
            break;
        }
    }
    updateStates();
}

} // namespace tq
