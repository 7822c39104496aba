#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

#include <optional>

namespace tq {

// Draws a row of the address book list: in the first column the state image, then the user or
// group icon (a user's with the mark of its presence) and the name, underlined while the pointer rests on the row. The
// name is edited in place; what was typed is kept for the list to apply once the editor has closed, because applying it
// may ask the user and start the edit again.
class AddressBookItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    struct EditedName {
        QPersistentModelIndex index;
        QString text;
    };

    explicit AddressBookItemDelegate(QObject *parent = nullptr);

    // The strip at the left of a first-column cell that holds the state image.
    static QRect stateImageRect(const QRect &cell);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    // The name committed by the last editor, handed out once.
    std::optional<EditedName> takeEditedName();
    // The editor that is open, if any.
    QWidget *openEditor() const { return m_editor; }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    mutable std::optional<EditedName> m_edited;
    mutable QPointer<QWidget> m_editor;
};

} // namespace tq
