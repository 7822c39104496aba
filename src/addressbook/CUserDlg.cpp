#include "addressbook/CUserDlg.h"

#include "addressbook/AddressBookIcons.h"
#include "addressbook/AddressBookModel.h"
#include "addressbook/AddressBookNames.h"
#include "platform/SoundPlayer.h"
#include "res/StringTable.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tq {
namespace {

constexpr int kMaxFieldLength = 255;

QString translated(const char *text)
{
    return QCoreApplication::translate("tq", text);
}

QLineEdit *field(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(kMaxFieldLength);
    return edit;
}

} // namespace

CUserDlg::CUserDlg(AddressBookModel &model, const QList<QPersistentModelIndex> &rows, Prompter &prompter,
                   SoundPlayer &sound, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
    , m_rows(rows)
    , m_prompter(prompter)
    , m_sound(sound)
    , m_multiple(rows.size() > 1)
{
    setObjectName(QStringLiteral("userDialog"));
    setWindowTitle(translated(QT_TRANSLATE_NOOP("tq", "Add or modify user")));

    m_name = field("userName", this);
    m_host = field("userHost", this);
    m_groups = new QComboBox(this);
    m_groups->setObjectName(QStringLiteral("groupList"));
    m_groups->setEditable(false);
    for (const QString &name : m_model.levelNames())
        m_groups->addItem(addressbook::groupIcon(), name);
    m_groups->setCurrentIndex(m_groups->findText(m_model.level(), Qt::MatchFixedString | Qt::MatchCaseSensitive));

    m_addButton = new QPushButton(translated(QT_TRANSLATE_NOOP("tq", "&Add")), this);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_addButton->setDefault(true);
    m_modifyButton = new QPushButton(translated(QT_TRANSLATE_NOOP("tq", "&Modify")), this);
    m_modifyButton->setObjectName(QStringLiteral("modifyButton"));
    m_modifyButton->setEnabled(!m_rows.isEmpty());
    auto *closeButton = new QPushButton(translated(QT_TRANSLATE_NOOP("tq", "&Close")), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setAutoDefault(false);

    auto *form = new QFormLayout;
    auto addRow = [&](const char *label, QWidget *control) {
        auto *text = new QLabel(translated(label), this);
        text->setBuddy(control);
        form->addRow(text, control);
    };
    addRow(QT_TRANSLATE_NOOP("tq", "&User name:"), m_name);
    addRow(QT_TRANSLATE_NOOP("tq", "User &host:"), m_host);
    addRow(QT_TRANSLATE_NOOP("tq", "&Group:"), m_groups);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_modifyButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    if (m_multiple) {
        fillMultiple();
    } else if (!m_rows.isEmpty() && m_rows.first().isValid()) {
        const AddressBookModel::Row &user = m_model.rowAt(m_rows.first().row());
        m_name->setText(user.name);
        m_host->setText(user.host);
    }

    connect(m_addButton, &QPushButton::clicked, this, &CUserDlg::onAdd);
    connect(m_modifyButton, &QPushButton::clicked, this, &CUserDlg::onModify);
    connect(closeButton, &QPushButton::clicked, this, &CUserDlg::reject);
    m_name->setFocus();
}

void CUserDlg::fillMultiple()
{
    // Only users are copied and moved: a group row among the selected ones stays where it is.
    QString names;
    int users = 0;
    for (const QPersistentModelIndex &row : m_rows) {
        if (!row.isValid() || m_model.rowAt(row.row()).group)
            continue;
        names += m_model.rowAt(row.row()).name + QStringLiteral("; ");
        ++users;
    }
    m_name->setText(names);
    m_host->setText(tqString(Sid::MultipleItemsSelected));
    m_name->setReadOnly(true);
    m_host->setReadOnly(true);
    setWindowTitle(windowTitle() + tqFormat(Sid::UsersSelectedSuffix, users));
    m_addButton->setText(tqString(Sid::CopyUsersButton));
    m_modifyButton->setText(tqString(Sid::MoveUsersButton));
}

QString CUserDlg::chosenGroup() const
{
    return m_groups->currentText();
}

void CUserDlg::onAdd()
{
    if (m_multiple) {
        m_model.copyUsers(m_rows, chosenGroup());
        accept();
        return;
    }
    switch (m_model.addUser(chosenGroup(), m_name->text(), m_host->text())) {
    case AddressBookModel::UserEdit::ForbiddenCharacter:
        addressbook::showForbiddenNameMessage(m_prompter);
        return;
    case AddressBookModel::UserEdit::EmptyName:
        m_sound.play(QStringLiteral("SystemQuestion"));
        m_name->setFocus();
        return;
    case AddressBookModel::UserEdit::Stored:
        // Ready for the next user.
        m_name->setFocus();
        m_name->selectAll();
        return;
    }
}

void CUserDlg::onModify()
{
    if (m_multiple) {
        m_model.moveUsers(m_rows, chosenGroup());
        accept();
        return;
    }
    const AddressBookModel::UserEdit result =
        m_model.modifyUser(m_rows.value(0), chosenGroup(), m_name->text(), m_host->text());
    if (result == AddressBookModel::UserEdit::ForbiddenCharacter) {
        addressbook::showForbiddenNameMessage(m_prompter);
        return;
    }
    if (result == AddressBookModel::UserEdit::EmptyName)
        m_sound.play(QStringLiteral("SystemQuestion"));
    accept();
}

} // namespace tq
