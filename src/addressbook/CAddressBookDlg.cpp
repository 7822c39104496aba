#include "addressbook/CAddressBookDlg.h"

#include "addressbook/AddressBookIcons.h"
#include "addressbook/AddressBookListView.h"
#include "addressbook/AddressBookModel.h"
#include "addressbook/AddressBookNames.h"
#include "addressbook/CUserDlg.h"
#include "addressbook/RemoveAddressBookRows.h"
#include "platform/Prompter.h"
#include "res/StringTable.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tq {
namespace {

// A stored width the header could not show sensibly is brought back into reach.
int usableColumnWidth(int stored)
{
    return std::clamp(stored, 20, 2000);
}

QToolButton *imageButton(const QIcon &icon, Sid tip, const char *name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setToolTip(tqString(tip));
    return button;
}

QWidget *legend(QWidget *parent)
{
    auto *box = new QWidget(parent);
    box->setObjectName(QStringLiteral("legend"));
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    const struct {
        QIcon icon;
        const char *text;
    } lines[] = {
        {addressbook::groupIcon(), QT_TRANSLATE_NOOP("tq", "- user group (double click to enter)")},
        {addressbook::userIcon(), QT_TRANSLATE_NOOP("tq", "- user (double click to edit)")},
        {addressbook::stateIcon(false),
         QT_TRANSLATE_NOOP("tq", "- deactive user/group (caused to stop receiving messages)")},
        {addressbook::stateIcon(true), QT_TRANSLATE_NOOP("tq", "- active user/group (default state)")},
    };
    int row = 0;
    for (const auto &line : lines) {
        auto *image = new QLabel(box);
        image->setPixmap(line.icon.pixmap(16, 16));
        grid->addWidget(image, row, 0);
        grid->addWidget(new QLabel(QCoreApplication::translate("tq", line.text), box), row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    return box;
}

} // namespace

CAddressBookDlg::CAddressBookDlg(SettingsStore settings, Prompter &prompter, SoundPlayer &sound, QWidget *parent)
    : QDialog(parent)
    , m_settings(std::move(settings))
    , m_store(m_settings)
    , m_prompter(prompter)
    , m_sound(sound)
{
    setObjectName(QStringLiteral("addressBookDialog"));
    setWindowTitle(QCoreApplication::translate("tq", "Address Book"));
    m_model = new AddressBookModel(m_store, this);
    createControls();

    m_list->header()->resizeSection(AddressBookModel::UserColumn, usableColumnWidth(m_settings.get(keys::Column1)));
    m_list->header()->resizeSection(AddressBookModel::HostColumn, usableColumnWidth(m_settings.get(keys::Column2)));
    m_model->setSortOrder(
        addressbook::storedSortOrder(m_settings.get(keys::AB_SortCol), m_settings.get(keys::AB_SortAsc)));
    showSortIndicator();
    showTopLevel();
}

CAddressBookDlg::~CAddressBookDlg()
{
    // The list would otherwise go with the other child widgets, after the store: an edit still
    // open then would end by renaming through a store that is gone.
    m_list->disconnect(this);
    m_list->selectionModel()->disconnect(this);
    delete m_list;
}

void CAddressBookDlg::createControls()
{
    m_levelList = new QComboBox(this);
    m_levelList->setObjectName(QStringLiteral("levelList"));
    m_levelList->setToolTip(tqString(Sid::LevelListTip));
    m_levelList->setEditable(false);
    m_upButton = imageButton(addressbook::upOneLevelIcon(), Sid::UpOneLevelTip, "upOneLevelButton", this);
    m_addUserButton = imageButton(addressbook::addUserIcon(), Sid::AddNewUserTip, "addUserButton", this);
    m_addGroupButton = imageButton(addressbook::addGroupIcon(), Sid::AddNewGroupTip, "addGroupButton", this);
    m_removeButton = imageButton(addressbook::removeItemIcon(), Sid::RemoveItemTip, "removeButton", this);

    m_list = new AddressBookListView(this);
    m_list->setObjectName(QStringLiteral("addressList"));
    m_list->setModel(m_model);

    m_closeButton = new QPushButton(QCoreApplication::translate("tq", "&Close"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setDefault(true);

    auto *top = new QHBoxLayout;
    top->addWidget(m_levelList, 1);
    top->addWidget(m_upButton);
    top->addWidget(m_addUserButton);
    top->addWidget(m_addGroupButton);
    top->addWidget(m_removeButton);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(legend(this), 1);
    bottom->addWidget(m_closeButton, 0, Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);
    resize(440, 420);

    connect(m_levelList, &QComboBox::activated, this, &CAddressBookDlg::chooseLevel);
    connect(m_upButton, &QToolButton::clicked, this, &CAddressBookDlg::upOneLevel);
    connect(m_addUserButton, &QToolButton::clicked, this, &CAddressBookDlg::addUser);
    connect(m_addGroupButton, &QToolButton::clicked, this, &CAddressBookDlg::addGroup);
    connect(m_removeButton, &QToolButton::clicked, this, &CAddressBookDlg::removeItems);
    connect(m_closeButton, &QPushButton::clicked, this, &CAddressBookDlg::accept);

    connect(m_list, &AddressBookListView::openRequested, this, &CAddressBookDlg::openRow);
    connect(m_list, &AddressBookListView::removeRequested, this, &CAddressBookDlg::removeItems);
    connect(m_list, &AddressBookListView::reloadRequested, this, &CAddressBookDlg::showTopLevel);
    connect(m_list, &AddressBookListView::nameEdited, this, &CAddressBookDlg::applyRename);
    connect(m_list, &AddressBookListView::toggleSelectedRequested, this,
            [this] { toggleRows(m_list->selectedRowNumbers()); });
    connect(m_list, &AddressBookListView::stateImageClicked, this,
            [this](int row) { toggleRows(addressbook::rowsToToggle(row, m_list->selectedRowNumbers())); });
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &CAddressBookDlg::sortByColumn);

    connect(m_model, &AddressBookModel::levelStateChanged, this, &CAddressBookDlg::updateLevelState);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CAddressBookDlg::updateRemoveButton);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CAddressBookDlg::updateRemoveButton);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &CAddressBookDlg::updateRemoveButton);

    // These keys work wherever the focus is in the window, but not while a name is edited.
    const auto shortcut = [this](QKeySequence keys, void (CAddressBookDlg::*action)()) {
        auto *key = new QShortcut(keys, this);
        connect(key, &QShortcut::activated, this, [this, action] {
            if (!m_list->isEditing())
                (this->*action)();
        });
    };
    shortcut(QKeySequence(Qt::Key_Insert), &CAddressBookDlg::addUser);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert), &CAddressBookDlg::addGroup);
    shortcut(QKeySequence(Qt::Key_Backspace), &CAddressBookDlg::upOneLevel);
}

bool CAddressBookDlg::changedAddressBook() const
{
    return m_model->changedStore();
}

void CAddressBookDlg::setPresenceSource(PresenceSource *source)
{
    m_model->setPresenceSource(source);
}

void CAddressBookDlg::showTopLevel()
{
    m_model->showTopLevel();
    m_list->setFocus();
}

void CAddressBookDlg::upOneLevel()
{
    showTopLevel();
}

void CAddressBookDlg::chooseLevel(int index)
{
    if (index < 0)
        return;
    const QString level = m_levelList->itemText(index);
    if (addressbook::isTopLevel(level))
        showTopLevel();
    else
        m_model->showLevel(level);
}

void CAddressBookDlg::openRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    if (m_model->rowAt(row).group) {
        m_model->showLevel(m_model->rowAt(row).name);
        return;
    }
    QList<QPersistentModelIndex> rows;
    const QList<int> selected = m_list->selectedRowNumbers();
    if (selected.size() > 1) {
        for (const int each : selected)
            rows.append(QPersistentModelIndex(m_model->index(each, 0)));
    } else {
        rows.append(QPersistentModelIndex(m_model->index(row, 0)));
    }
    openUserDialog(rows);
}

void CAddressBookDlg::addUser()
{
    m_list->setFocus();
    openUserDialog({});
}

void CAddressBookDlg::openUserDialog(const QList<QPersistentModelIndex> &rows)
{
    // Window-modal without a nested event loop: the caller goes on at once, and the dialog's
    // buttons act on the list when they are pressed.
    auto *dialog = new CUserDlg(*m_model, rows, m_prompter, m_sound, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void CAddressBookDlg::addGroup()
{
    if (!m_model->atTopLevel())
        return;
    const std::optional<int> row = m_model->addGroup();
    if (!row)
        return;
    m_list->setFocus();
    m_list->editName(*row);
}

void CAddressBookDlg::removeItems()
{
    removeSelectedRows(*m_model, *m_list->selectionModel(), m_prompter);
    m_list->setFocus();
}

void CAddressBookDlg::toggleRows(const QList<int> &rows)
{
    m_model->toggle(rows);
}

void CAddressBookDlg::applyRename(const QPersistentModelIndex &row, const QString &text)
{
    if (!row.isValid())
        return;
    switch (m_model->rename(row.row(), text)) {
    case AddressBookStore::RenameResult::ForbiddenCharacter:
        addressbook::showForbiddenNameMessage(m_prompter);
        break;
    case AddressBookStore::RenameResult::NameTaken:
        m_prompter.message(tqString(Sid::NameTakenCaption), tqString(Sid::NameTaken), Prompter::Icon::Stop);
        if (!m_closing && row.isValid()) {
            m_list->setFocus();
            m_list->editName(row.row());
        }
        break;
    case AddressBookStore::RenameResult::Renamed:
    case AddressBookStore::RenameResult::Unchanged:
        break;
    }
}

void CAddressBookDlg::sortByColumn(int column)
{
    m_model->sortByHeader(column);
    showSortIndicator();
}

void CAddressBookDlg::showSortIndicator()
{
    const addressbook::SortOrder order = m_model->sortOrder();
    m_list->header()->setSortIndicator(order.column, order.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CAddressBookDlg::updateLevelState()
{
    setWindowTitle(m_model->title());
    const bool topLevel = m_model->atTopLevel();
    {
        const QSignalBlocker blocker(m_levelList);
        m_levelList->clear();
        for (const QString &name : m_model->levelNames())
            m_levelList->addItem(addressbook::groupIcon(), name);
        m_levelList->setCurrentIndex(
            m_levelList->findText(m_model->level(), Qt::MatchFixedString | Qt::MatchCaseSensitive));
    }
    m_upButton->setEnabled(!topLevel);
    m_addGroupButton->setEnabled(topLevel);
    updateRemoveButton();
}

void CAddressBookDlg::updateRemoveButton()
{
    m_removeButton->setEnabled(!m_list->selectedRowNumbers().isEmpty());
}

void CAddressBookDlg::done(int)
{
    if (!m_closing) {
        m_closing = true;
        m_list->finishEditing();
        const addressbook::SortOrder order = m_model->sortOrder();
        m_settings.set(keys::Column1, m_list->header()->sectionSize(AddressBookModel::UserColumn));
        m_settings.set(keys::Column2, m_list->header()->sectionSize(AddressBookModel::HostColumn));
        m_settings.set(keys::AB_SortCol, order.column);
        m_settings.set(keys::AB_SortAsc, order.ascending ? 1 : 0);
        if (m_model->changedStore())
            Q_EMIT addressBookChanged();
    }
    QDialog::done(QDialog::Accepted);
}

} // namespace tq
