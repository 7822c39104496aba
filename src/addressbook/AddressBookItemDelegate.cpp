#include "addressbook/AddressBookItemDelegate.h"

#include "addressbook/AddressBookIcons.h"
#include "addressbook/AddressBookModel.h"
#include "addressbook/PresenceMarks.h"

#include <QLineEdit>
#include <QPainter>

namespace tq {
namespace {

constexpr int kStateStripWidth = 20;
constexpr int kImageSize = 16;
constexpr int kMaxNameLength = 255;

bool isNameColumn(const QModelIndex &index)
{
    return index.column() == AddressBookModel::UserColumn;
}

QStyleOptionViewItem besideStateImage(const QStyleOptionViewItem &option)
{
    QStyleOptionViewItem shifted(option);
    shifted.rect.setLeft(option.rect.left() + kStateStripWidth);
    return shifted;
}

} // namespace

AddressBookItemDelegate::AddressBookItemDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QRect AddressBookItemDelegate::stateImageRect(const QRect &cell)
{
    return QRect(cell.left(), cell.top(), kStateStripWidth, cell.height());
}

void AddressBookItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    if (!isNameColumn(index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QRect strip = stateImageRect(option.rect);
    const QRect image(strip.left() + (strip.width() - kImageSize) / 2, strip.top() + (strip.height() - kImageSize) / 2,
                      kImageSize, kImageSize);
    addressbook::stateIcon(index.data(AddressBookModel::ActiveRole).toBool()).paint(painter, image);
    QStyledItemDelegate::paint(painter, besideStateImage(option), index);
}

QSize AddressBookItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (isNameColumn(index))
        size.rwidth() += kStateStripWidth;
    size.setHeight(std::max(size.height(), kImageSize + 2));
    return size;
}

QWidget *AddressBookItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                               const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor->setObjectName(QStringLiteral("nameEditor"));
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setMaxLength(kMaxNameLength);
    m_editor = editor;
    return editor;
}

void AddressBookItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        m_edited = EditedName{QPersistentModelIndex(index), line->text()};
}

void AddressBookItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                                   const QModelIndex &index) const
{
    QStyledItemDelegate::updateEditorGeometry(editor, isNameColumn(index) ? besideStateImage(option) : option, index);
}

std::optional<AddressBookItemDelegate::EditedName> AddressBookItemDelegate::takeEditedName()
{
    return std::exchange(m_edited, std::nullopt);
}

void AddressBookItemDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (isNameColumn(index)) {
        const auto presence = static_cast<PresenceState>(index.data(AddressBookModel::PresenceRole).toInt());
        option->icon = index.data(AddressBookModel::GroupRole).toBool()
            ? addressbook::groupIcon()
            : withPresenceMark(addressbook::userIcon(), presence);
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->decorationSize = QSize(kImageSize, kImageSize);
    }
    if (option->state & QStyle::State_MouseOver)
        option->font.setUnderline(true);
}

} // namespace tq
