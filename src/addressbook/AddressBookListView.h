#pragma once

#include <QList>
#include <QPersistentModelIndex>
#include <QTimer>
#include <QTreeView>

namespace tq {

class AddressBookItemDelegate;

// The address book's report list: whole rows, several at a time, the name edited in place, a
// click on a row's state image to switch it on or off, and the row under a resting pointer
// selected. It turns the user's keys and clicks into requests; the dialog decides what they do.
class AddressBookListView : public QTreeView {
    Q_OBJECT
public:
    explicit AddressBookListView(QWidget *parent = nullptr);

    // The selected rows in list order.
    QList<int> selectedRowNumbers() const;
    bool isEditing() const { return state() == EditingState; }
    // Starts editing a row's name without changing the selection.
    void editName(int row);
    // Ends an open edit the way losing the focus does: what was typed is applied.
    void finishEditing();

Q_SIGNALS:
    void stateImageClicked(int row);
    // A double click on a row, or Enter with the first selected row.
    void openRequested(int row);
    void toggleSelectedRequested();
    void removeRequested();
    void reloadRequested();
    // An in-place edit ended with this text; emitted after the editor has closed.
    void nameEdited(const QPersistentModelIndex &row, const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    int stateImageRowAt(const QPoint &position) const;
    void selectHoveredRow();

    AddressBookItemDelegate *m_delegate = nullptr;
    QTimer m_hoverTimer;
    QPersistentModelIndex m_hovered;
};

} // namespace tq
