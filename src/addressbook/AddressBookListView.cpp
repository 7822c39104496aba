#include "addressbook/AddressBookListView.h"

#include "addressbook/AddressBookItemDelegate.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace tq {
namespace {

// How long the pointer rests on a row before the row is selected.
constexpr int kHoverSelectMs = 400;

} // namespace

AddressBookListView::AddressBookListView(QWidget *parent)
    : QTreeView(parent)
    , m_delegate(new AddressBookItemDelegate(this))
{
    setItemDelegate(m_delegate);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(EditKeyPressed | SelectedClicked);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(true);
    header()->setSectionsMovable(false);

    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(kHoverSelectMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, &AddressBookListView::selectHoveredRow);
}

QList<int> AddressBookListView::selectedRowNumbers() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void AddressBookListView::editName(int row)
{
    const QModelIndex index = model() ? model()->index(row, 0) : QModelIndex();
    if (!index.isValid())
        return;
    scrollTo(index);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    edit(index);
}

void AddressBookListView::finishEditing()
{
    if (QWidget *editor = m_delegate->openEditor(); editor && isEditing()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void AddressBookListView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeView::closeEditor(editor, hint);
    if (const auto edited = m_delegate->takeEditedName())
        Q_EMIT nameEdited(edited->index, edited->text);
}

void AddressBookListView::keyPressEvent(QKeyEvent *event)
{
    if (isEditing()) {
        QTreeView::keyPressEvent(event);
        return;
    }
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    switch (event->key()) {
    case Qt::Key_Delete:
        Q_EMIT removeRequested();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QList<int> rows = selectedRowNumbers();
        // Without a selected row, Enter belongs to the dialog's default button.
        if (rows.isEmpty()) {
            event->ignore();
            return;
        }
        Q_EMIT openRequested(rows.first());
        return;
    }
    case Qt::Key_Space:
        if (control)
            break;
        Q_EMIT toggleSelectedRequested();
        return;
    case Qt::Key_F5:
        Q_EMIT reloadRequested();
        return;
    case Qt::Key_A:
        if (!control)
            break;
        selectAll();
        return;
    case Qt::Key_Backspace:
    case Qt::Key_Insert:
        event->ignore();
        return;
    default:
        break;
    }
    QTreeView::keyPressEvent(event);
}

int AddressBookListView::stateImageRowAt(const QPoint &position) const
{
    const QModelIndex index = indexAt(position);
    if (!index.isValid())
        return -1;
    const QRect cell = visualRect(index.siblingAtColumn(0));
    return AddressBookItemDelegate::stateImageRect(cell).contains(position) ? index.row() : -1;
}

void AddressBookListView::mousePressEvent(QMouseEvent *event)
{
    m_hoverTimer.stop();
    // The state image switches the row without touching the selection, so that a click can
    // act on every selected row.
    if (event->button() == Qt::LeftButton && !isEditing()) {
        const int row = stateImageRowAt(event->position().toPoint());
        if (row >= 0) {
            Q_EMIT stateImageClicked(row);
            return;
        }
    }
    QTreeView::mousePressEvent(event);
}

void AddressBookListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    // The first click of the two has already switched the row; the second does nothing more.
    if (stateImageRowAt(position) >= 0)
        return;
    const QPersistentModelIndex index(indexAt(position));
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && index.isValid())
        Q_EMIT openRequested(index.row());
}

void AddressBookListView::mouseMoveEvent(QMouseEvent *event)
{
    QTreeView::mouseMoveEvent(event);
    if (event->buttons() != Qt::NoButton) {
        m_hoverTimer.stop();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.row() == m_hovered.row() && index.isValid() == m_hovered.isValid())
        return;
    m_hovered = index;
    if (index.isValid())
        m_hoverTimer.start();
    else
        m_hoverTimer.stop();
}

void AddressBookListView::leaveEvent(QEvent *event)
{
    m_hoverTimer.stop();
    m_hovered = QPersistentModelIndex();
    QTreeView::leaveEvent(event);
}

void AddressBookListView::selectHoveredRow()
{
    if (!m_hovered.isValid() || isEditing() || QGuiApplication::mouseButtons() != Qt::NoButton
        || QGuiApplication::keyboardModifiers() != Qt::NoModifier)
        return;
    const QModelIndex index = m_hovered.sibling(m_hovered.row(), 0);
    if (selectionModel()->isRowSelected(index.row(), index.parent()))
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

} // namespace tq
