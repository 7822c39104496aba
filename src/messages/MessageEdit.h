#pragma once

#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>

namespace tq {

// The multi-line edit of the message pane and the compose box: plain text only, a vertical
// scroll bar only while the text needs one, and the main window's "Edit" menu as its context
// menu, so the same commands act the same way from either place.
class MessageEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MessageEdit(QWidget *parent = nullptr);

    void setContextMenu(QMenu *menu) { m_contextMenu = menu; }

    // Replaces the text without it counting as the user's change.
    void setProgramText(const QString &text);
    bool isSettingProgramText() const { return m_settingProgramText; }

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QPointer<QMenu> m_contextMenu;
    bool m_settingProgramText = false;
};

} // namespace tq
