#include "addressbook/DestinationComboBox.h"

#include "addressbook/AddressBookNames.h"
#include "addressbook/DestinationIcons.h"
#include "addressbook/PresenceMarks.h"
#include "addressbook/PresenceTexts.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <utility>

namespace tq {
namespace {

// A user entry's text is the name, then "/" and the host when there is one; names hold no "/".
std::pair<QString, QString> userNameAndHost(const QString &text)
{
    const qsizetype slash = text.indexOf(u'/');
    if (slash < 0)
        return {text, {}};
    return {text.first(slash), text.sliced(slash + 1)};
}

// "< name >" back to the group's name.
QString groupNameOf(const QString &entryText)
{
    return entryText.size() >= 4 ? entryText.sliced(2, entryText.size() - 4) : QString();
}

} // namespace

DestinationComboBox::DestinationComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setIconSize(QSize(16, 16));
    // Completion is ours: the list's order, the first entry that fits, and no completion
    // straight after Delete or Backspace.
    setCompleter(nullptr);
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, &DestinationComboBox::onTextEdited);
    // The icon is painted by the box, behind the field: a new text may bring another.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { update(); });
    connect(this, &QComboBox::activated, this, &DestinationComboBox::entryPicked);
}

void DestinationComboBox::setDestinations(const DestinationList &list)
{
    m_list = list;
    m_filled = true;
    fillItems();
}

void DestinationComboBox::setBroadcastPresent(bool present)
{
    if (present == m_list.hasBroadcast())
        return;
    m_list.setBroadcastPresent(present);
    fillItems();
}

int DestinationComboBox::codeAt(int index) const
{
    return itemData(index, Qt::UserRole).toInt();
}

void DestinationComboBox::setPresenceSource(PresenceSource *source)
{
    if (m_presence)
        m_presence->disconnect(this);
    m_presence = source;
    if (source)
        connect(source, &PresenceSource::presenceChanged, this, &DestinationComboBox::updatePresenceMarks);
    updatePresenceMarks();
}

QIcon DestinationComboBox::entryIcon(const DestinationEntry &entry) const
{
    const QIcon plain = destinationIcon(entry.kind());
    if (!m_presence || entry.kind() != DestinationKind::User)
        return plain;
    const auto [name, host] = userNameAndHost(entry.text);
    return withPresenceMark(plain, m_presence->userPresence(name, host).state);
}

QString DestinationComboBox::entryToolTip(const DestinationEntry &entry) const
{
    if (!m_presence || !m_presence->isEnabled())
        return {};
    switch (entry.kind()) {
    case DestinationKind::User: {
        const auto [name, host] = userNameAndHost(entry.text);
        return presenceToolTip(m_presence->userPresence(name, host), QDateTime::currentDateTime());
    }
    case DestinationKind::Group:
        return groupPresenceText(m_presence->groupPresence(groupNameOf(entry.text)));
    case DestinationKind::AllUsers:
        return groupPresenceText(m_presence->groupPresence(addressbook::topLevelName()));
    case DestinationKind::Broadcast:
        break;
    }
    return {};
}

void DestinationComboBox::updatePresenceMarks()
{
    for (int i = 0; i < count() && i < m_list.size(); ++i) {
        const DestinationEntry &entry = m_list.at(i);
        setItemIcon(i, entryIcon(entry));
        setItemData(i, entryToolTip(entry), Qt::ToolTipRole);
    }
    update();
}

QIcon DestinationComboBox::fieldIcon() const
{
    const std::optional<DestinationKind> kind = m_list.kindOf(currentText(), currentIndex());
    if (!kind)
        return QIcon();
    if (*kind == DestinationKind::User)
        return entryIcon({currentText(), kUserCode});
    return destinationIcon(*kind);
}

void DestinationComboBox::initStyleOption(QStyleOptionComboBox *option) const
{
    QComboBox::initStyleOption(option);
    option->currentIcon = fieldIcon();
}

void DestinationComboBox::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    placeLineEdit();
}

void DestinationComboBox::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    placeLineEdit();
}

void DestinationComboBox::placeLineEdit()
{
    // The box itself makes room only while a selected entry has an icon.
    if (!lineEdit())
        return;
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect editRect = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    QSize size = editRect.size();
    size.rwidth() -= iconSize().width() + 4;
    lineEdit()->setGeometry(QStyle::alignedRect(layoutDirection(), Qt::AlignRight, size, editRect));
}

void DestinationComboBox::fillItems()
{
    const QString text = currentText();
    {
        // Filling moves the selection; nobody picked anything.
        const QSignalBlocker blocker(this);
        clear();
        for (const DestinationEntry &entry : m_list.entries()) {
            addItem(entryIcon(entry), entry.text, entry.code);
            setItemData(count() - 1, entryToolTip(entry), Qt::ToolTipRole);
        }
        setCurrentIndex(-1);
    }
    placeLineEdit();
    setEditText(text);
}

void DestinationComboBox::noteKey(int key)
{
    switch (key) {
    case Qt::Key_Delete:
        m_completer.keyPressed(DestinationCompleter::Key::Delete);
        break;
    case Qt::Key_Backspace:
        m_completer.keyPressed(DestinationCompleter::Key::Backspace);
        break;
    default:
        m_completer.keyPressed(DestinationCompleter::Key::Other);
        break;
    }
}

void DestinationComboBox::keyPressEvent(QKeyEvent *event)
{
    // Keys that reach the box are handed on to its line edit without passing its filter.
    noteKey(event->key());
    QComboBox::keyPressEvent(event);
}

bool DestinationComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::KeyPress)
        noteKey(static_cast<QKeyEvent *>(event)->key());
    return QComboBox::eventFilter(watched, event);
}

void DestinationComboBox::onTextEdited(const QString &text)
{
    const std::optional<DestinationCompleter::Completion> completion = m_completer.textEdited(text, m_list);
    if (!completion)
        return;
    {
        // Selecting the entry puts its whole text into the field, also when it was selected
        // already; nobody picked it.
        const QSignalBlocker blocker(this);
        setCurrentIndex(static_cast<int>(completion->entryIndex));
    }
    lineEdit()->setSelection(completion->selectionStart + completion->selectionLength, -completion->selectionLength);
}

} // namespace tq
