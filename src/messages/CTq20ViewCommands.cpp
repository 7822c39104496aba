// The view's commands: paging, deleting, the pop-up flag, the edit commands, and their
// enabled states.
#include "messages/CTq20View.h"

#include "messages/MessageEdit.h"
#include "platform/Prompter.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"

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
    CTq20View::Command command;
    Sid text;
    const char *objectName;
    QList<QKeySequence> keys;
};

QList<CommandInfo> commandTable()
{
    using C = CTq20View::Command;
    const auto keys = [](std::initializer_list<QKeyCombination> list) {
        QList<QKeySequence> sequences;
        for (const QKeyCombination key : list)
            sequences.append(QKeySequence(key));
        return sequences;
    };
    return {
        { C::Previous, Sid::MenuPrevious, "actionPrevious", keys({ Qt::ALT | Qt::Key_Left }) },
        { C::Next, Sid::MenuNext, "actionNext", keys({ Qt::ALT | Qt::Key_Right }) },
        { C::Delete, Sid::MenuDelete, "actionDelete", keys({ Qt::ALT | Qt::Key_Delete }) },
        { C::DiscardAll, Sid::MenuDiscardAll, "actionDiscardAll", keys({ Qt::SHIFT | Qt::ALT | Qt::Key_Delete }) },
        { C::PopupOnReceipt, Sid::MenuPopupOnReceipt, "actionPopupOnReceipt", {} },
        { C::AddSenderOutsideAnyGroup, Sid::MenuOutsideAnyGroup, "actionAddSenderOutsideAnyGroup", {} },
        { C::AddSenderJunk, Sid::MenuJunkSenders, "actionAddSenderJunk", {} },
        { C::Send, Sid::MenuSendMessage, "actionSend", keys({ Qt::ALT | Qt::Key_Return, Qt::ALT | Qt::Key_Enter }) },
        { C::SendHighImportance, Sid::MenuSendHighImportance, "actionSendHighImportance", {} },
        { C::Undo, Sid::MenuUndo, "actionUndo", keys({ Qt::CTRL | Qt::Key_Z }) },
        { C::Cut, Sid::MenuCut, "actionCut", keys({ Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete }) },
        { C::Copy, Sid::MenuCopy, "actionCopy", keys({ Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert }) },
        { C::Paste, Sid::MenuPaste, "actionPaste", keys({ Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert }) },
        { C::SelectAll, Sid::MenuSelectAll, "actionSelectAll", keys({ Qt::CTRL | Qt::Key_A }) },
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

void CTq20View::createActions()
{
    for (const CommandInfo &info : commandTable()) {
        auto *action = new QAction(tqString(info.text), this);
        action->setObjectName(QLatin1String(info.objectName));
        action->setShortcuts(info.keys);
        // The menu text already names the keys after its tab.
        action->setShortcutVisibleInContextMenu(false);
        m_actions[info.command] = action;
        addAction(action);
    }
    using C = Command;
    action(C::PopupOnReceipt)->setCheckable(true);
    action(C::PopupOnReceipt)->setChecked(m_popupOnReceipt);

    connect(action(C::Previous), &QAction::triggered, this, &CTq20View::ShowPreviousMessage);
    connect(action(C::Next), &QAction::triggered, this, &CTq20View::ShowNextMessage);
    connect(action(C::Delete), &QAction::triggered, this, &CTq20View::DeleteCurrentMessage);
    connect(action(C::DiscardAll), &QAction::triggered, this, &CTq20View::DiscardAllMessages);
    connect(action(C::PopupOnReceipt), &QAction::triggered, this, &CTq20View::togglePopupOnReceipt);
    connect(action(C::Send), &QAction::triggered, this, [this] { Q_EMIT sendRequested('0'); });
    connect(action(C::SendHighImportance), &QAction::triggered, this, [this] { Q_EMIT sendRequested('1'); });
    for (const C command : { C::Undo, C::Cut, C::Copy, C::Paste, C::SelectAll })
        connect(action(command), &QAction::triggered, this, [this, command] { runEditCommand(command); });

    m_editMenu = new QMenu(tqString(Sid::MenuEditTitle), this);
    m_editMenu->setObjectName(QStringLiteral("editMenu"));
    m_editMenu->addAction(action(C::Undo));
    m_editMenu->addSeparator();
    m_editMenu->addAction(action(C::Cut));
    m_editMenu->addAction(action(C::Copy));
    m_editMenu->addAction(action(C::Paste));
    m_editMenu->addSeparator();
    m_editMenu->addAction(action(C::SelectAll));
    connect(m_editMenu, &QMenu::aboutToShow, this, &CTq20View::updateCommandStates);

    m_addSenderMenu = new QMenu(tqString(Sid::MenuAddSenderTo), this);
    m_addSenderMenu->setObjectName(QStringLiteral("addSenderMenu"));
    m_addSenderMenu->addAction(action(C::AddSenderOutsideAnyGroup));
    m_addSenderMenu->addAction(action(C::AddSenderJunk));

    connect(qApp, &QApplication::focusChanged, this, &CTq20View::updateCommandStates);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CTq20View::updateCommandStates);
    updateCommandStates();
}

void CTq20View::updateCommandStates()
{
    using C = Command;
    const ViewCommandStates states =
        m_viewer.commandStates(describeEditTarget(editWidget(QApplication::focusWidget())), clipboardHasText());
    action(C::Previous)->setEnabled(states.previous);
    action(C::Next)->setEnabled(states.next);
    action(C::Delete)->setEnabled(states.deleteMessage);
    action(C::DiscardAll)->setEnabled(states.discardAll);
    action(C::AddSenderOutsideAnyGroup)->setEnabled(states.addSender);
    action(C::AddSenderJunk)->setEnabled(states.addSender);
    m_addSenderMenu->menuAction()->setEnabled(states.addSender);
    updateAddSenderGroupStates(states.addSender);
    action(C::Undo)->setEnabled(states.undo);
    action(C::Cut)->setEnabled(states.cut);
    action(C::Copy)->setEnabled(states.copy);
    action(C::Paste)->setEnabled(states.paste);
    action(C::SelectAll)->setEnabled(states.selectAll);
}

void CTq20View::runEditCommand(Command command)
{
    QWidget *focus = editWidget(QApplication::focusWidget());
    if (auto *text = qobject_cast<QPlainTextEdit *>(focus)) {
        switch (command) {
        case Command::Undo:
            text->undo();
            break;
        case Command::Cut:
            text->cut();
            break;
        case Command::Copy:
            text->copy();
            break;
        case Command::Paste:
            text->paste();
            break;
        case Command::SelectAll:
            text->selectAll();
            break;
        default:
            break;
        }
    } else if (auto *line = qobject_cast<QLineEdit *>(focus)) {
        switch (command) {
        case Command::Undo:
            line->undo();
            break;
        case Command::Cut:
            line->cut();
            break;
        case Command::Copy:
            line->copy();
            break;
        case Command::Paste:
            line->paste();
            break;
        case Command::SelectAll:
            line->selectAll();
            break;
        default:
            break;
        }
    }
    updateCommandStates();
}

void CTq20View::ShowNextMessage()
{
    if (!m_viewer.messages().stepNewer())
        return;
    showCurrentMessage();
    offerQuote(QuoteOffer::AskWhenChanged);
    m_composeBox->setFocus();
    RefreshCounters();
}

void CTq20View::ShowPreviousMessage()
{
    if (!m_viewer.messages().stepOlder())
        return;
    showCurrentMessage();
    offerQuote(QuoteOffer::AskWhenChanged);
    m_composeBox->setFocus();
    RefreshCounters();
}

void CTq20View::DeleteCurrentMessage()
{
    // A file still waiting to be written would come back after its deletion.
    m_incoming.flushFiles();
    applyRemoval(m_viewer.deleteCurrent(m_settingsCache.minOnDelLast));
}

void CTq20View::DiscardAllMessages()
{
    if (m_viewer.messages().isEmpty())
        return;
    const Prompter::Answer answer = m_prompter.message(tqString(Sid::AppName), tqString(Sid::DiscardAllQuestion),
        Prompter::Icon::Question, Prompter::Buttons::YesNo, Prompter::Answer::No);
    if (answer != Prompter::Answer::Yes)
        return;
    m_incoming.flushFiles();
    applyRemoval(m_viewer.discardThrough(~quint64(0), m_settingsCache.minOnDelLast));
}

void CTq20View::applyRemoval(const MessageViewer::Removal &outcome)
{
    if (!outcome.removed)
        return;
    if (outcome.listEmptied) {
        m_messagePane->setProgramText({});
        m_destinationBox->setEditText({});
        if (outcome.clearCompose)
            setComposeText({});
    } else {
        showCurrentMessage();
        offerQuote(QuoteOffer::AskWhenChanged);
    }
    RefreshCounters();
    m_composeBox->setFocus();
    // Posted, as the command would be: the main window minimises after this command is done.
    if (outcome.minimize)
        QMetaObject::invokeMethod(this, &CTq20View::minimizeRequested, Qt::QueuedConnection);
}

void CTq20View::togglePopupOnReceipt()
{
    m_popupOnReceipt = !m_popupOnReceipt;
    action(Command::PopupOnReceipt)->setChecked(m_popupOnReceipt);
    m_incoming.setPopupOnArrival(m_popupOnReceipt);
    m_settings.set(keys::Popup, m_popupOnReceipt ? 1 : 0);
}

} // namespace tq
