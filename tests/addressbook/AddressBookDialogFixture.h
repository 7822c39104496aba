#pragma once

#include "addressbook/AddressBookFixture.h"
#include "addressbook/AddressBookListView.h"
#include "addressbook/AddressBookModel.h"
#include "addressbook/CAddressBookDlg.h"
#include "addressbook/CUserDlg.h"
#include "support/RecordingPrompter.h"
#include "support/RecordingSoundPlayer.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace tq::test {

// The Address Book dialog over a real settings file in a fresh home, shown without a modal
// loop, with its controls found by name.
class AddressBookDialogTest : public AddressBookFixture {
protected:
    void open()
    {
        dialog = std::make_unique<CAddressBookDlg>(SettingsStore(), prompter, sound);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        list = dialog->findChild<AddressBookListView *>(QStringLiteral("addressList"));
        levelList = dialog->findChild<QComboBox *>(QStringLiteral("levelList"));
        const auto button = [this](const char *name) { return dialog->findChild<QToolButton *>(QLatin1String(name)); };
        upButton = button("upOneLevelButton");
        addUserButton = button("addUserButton");
        addGroupButton = button("addGroupButton");
        removeButton = button("removeButton");
        ASSERT_TRUE(list && levelList && upButton && addUserButton && addGroupButton && removeButton);
        list->setFocus();
    }

    // Each row as "name host" with "(off)" for a deactivated row and "[ ]" around a group.
    QStringList rows() const
    {
        QStringList shown;
        const QAbstractItemModel *model = list->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, 0);
            QString text = index.data().toString();
            if (index.data(AddressBookModel::GroupRole).toBool())
                text = QLatin1Char('[') + text + QLatin1Char(']');
            const QString host = model->index(row, 1).data().toString();
            if (!host.isEmpty())
                text += QLatin1Char(' ') + host;
            if (!index.data(AddressBookModel::ActiveRole).toBool())
                text += QStringLiteral("(off)");
            shown.append(text);
        }
        return shown;
    }
    QStringList levelNames() const
    {
        QStringList names;
        for (int i = 0; i < levelList->count(); ++i)
            names.append(levelList->itemText(i));
        return names;
    }

    QModelIndex cell(int row, int column = 0) const { return list->model()->index(row, column); }
    QPoint centreOf(int row, int column) const { return list->visualRect(cell(row, column)).center(); }
    QPoint stateImageOf(int row) const
    {
        const QRect rect = list->visualRect(cell(row));
        return {rect.left() + 10, rect.center().y()};
    }
    // A plain click on the first row, Ctrl+clicks on the others, on the host column.
    void selectRows(const QList<int> &rowsToSelect)
    {
        for (qsizetype i = 0; i < rowsToSelect.size(); ++i)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, i == 0 ? Qt::NoModifier : Qt::ControlModifier,
                              centreOf(rowsToSelect[i], 1));
    }
    // What a widget receives from a double click: press, release, then the double click.
    void doubleClickAt(QPoint position)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, position);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, position);
    }
    void doubleClick(int row) { doubleClickAt(centreOf(row, 1)); }
    void press(int key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(list, Qt::Key(key), modifiers); }

    QLineEdit *nameEditor(int row) const { return qobject_cast<QLineEdit *>(list->indexWidget(cell(row))); }
    // Types a name into the open editor of `row` and presses Enter.
    void typeName(int row, const QString &text)
    {
        QLineEdit *editor = nameEditor(row);
        ASSERT_NE(editor, nullptr) << "no edit open on row " << row;
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor hands its text over once the key has been handled.
        QCoreApplication::processEvents();
    }
    void rename(int row, const QString &text)
    {
        list->setCurrentIndex(cell(row));
        press(Qt::Key_F2);
        typeName(row, text);
    }

    CUserDlg *userDialog() const { return dialog->findChild<CUserDlg *>(QStringLiteral("userDialog")); }
    template <typename T>
    T *userControl(const char *name) const
    {
        return userDialog() ? userDialog()->findChild<T *>(QLatin1String(name)) : nullptr;
    }

    RecordingPrompter prompter;
    RecordingSoundPlayer sound;
    std::unique_ptr<CAddressBookDlg> dialog;
    AddressBookListView *list = nullptr;
    QComboBox *levelList = nullptr;
    QToolButton *upButton = nullptr;
    QToolButton *addUserButton = nullptr;
    QToolButton *addGroupButton = nullptr;
    QToolButton *removeButton = nullptr;
};

} // namespace tq::test
