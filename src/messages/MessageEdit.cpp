#include "messages/MessageEdit.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace tq {

MessageEdit::MessageEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
}

void MessageEdit::setProgramText(const QString &text)
{
    m_settingProgramText = true;
    setPlainText(text);
    m_settingProgramText = false;
}

void MessageEdit::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_contextMenu) {
        QPlainTextEdit::contextMenuEvent(event);
        return;
    }
    setFocus(Qt::PopupFocusReason);
    m_contextMenu->exec(event->globalPos());
}

} // namespace tq
