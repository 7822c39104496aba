#include "addressbook/AddressBookDialogFixture.h"
#include "addressbook/RefreshAddressBook.h"
#include "res/StringTable.h"
#include "support/SignalWaiter.h"

#include <QSignalSpy>

namespace tq {
namespace {

using test::RecordingPrompter;
using Answer = Prompter::Answer;

class CAddressBookDlgTest : public test::AddressBookDialogTest { };

TEST_F(CAddressBookDlgTest, AnEmptyStoreShowsNoRowsAndOnlyTheTopLevel)
{
    open();
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Address Book [0 Users]"));
    EXPECT_EQ(levelNames(), QStringList{top});
    EXPECT_FALSE(upButton->isEnabled());
    EXPECT_TRUE(addGroupButton->isEnabled());
    EXPECT_FALSE(removeButton->isEnabled());
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("User"));
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Host"));
    EXPECT_EQ(upButton->toolTip(), QStringLiteral("Up One Level (Backspace)"));
    EXPECT_EQ(addUserButton->toolTip(), QStringLiteral("Add New User  (Insert)"));

    // Enter without a selected row belongs to the default button, Close.
    press(Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(CAddressBookDlgTest, GroupsStandFirstAndEveryWayIntoAGroupAndBackWorks)
{
    put(top, "Zed", "10.0.0.26", false);
    put(top, "ann", "10.0.0.1");
    put(QStringLiteral("Work"), "Cy", "10.0.1.3");
    put(QStringLiteral("Work"), "Di", "10.0.1.4");
    put(QStringLiteral("friends"), "Ed", "10.0.2.5");
    ASSERT_TRUE(book.SetGroupActive(QStringLiteral("Work"), false));
    open();
    EXPECT_EQ(rows(),
              (QStringList{QStringLiteral("[friends]"), QStringLiteral("[Work](off)"), QStringLiteral("ann 10.0.0.1"),
                           QStringLiteral("Zed 10.0.0.26(off)")}));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Address Book [2 Groups, 2 Users]"));
    EXPECT_EQ(levelNames(), (QStringList{QStringLiteral("friends"), top, QStringLiteral("Work")}));

    // The level list: the title counts the group's users.
    levelList->setCurrentIndex(2);
    Q_EMIT levelList->activated(2);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("Cy 10.0.1.3"), QStringLiteral("Di 10.0.1.4")}));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Address Book [2 Users]"));
    EXPECT_TRUE(upButton->isEnabled());
    EXPECT_FALSE(addGroupButton->isEnabled());
    press(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(book.ListGroups().size(), 2) << "no group inside a group";

    press(Qt::Key_Backspace);
    EXPECT_EQ(levelList->currentText(), top);
    EXPECT_EQ(rows().size(), 4);

    doubleClick(0);
    EXPECT_EQ(rows(), QStringList{QStringLiteral("Ed 10.0.2.5")});
    EXPECT_EQ(levelList->currentText(), QStringLiteral("friends"));
    QTest::mouseClick(upButton, Qt::LeftButton);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Address Book [2 Groups, 2 Users]"));

    selectRows({1});
    press(Qt::Key_Return);
    EXPECT_EQ(levelList->currentText(), QStringLiteral("Work"));
    EXPECT_EQ(rows().size(), 2);
}

TEST_F(CAddressBookDlgTest, RenamingInPlaceKeepsStateAndRefusesTakenOrForbiddenNames)
{
    put(top, "Bob", "10.0.0.5", false);
    put(top, "Friends", "10.0.0.6");
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Friends")));
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Work")));
    open();
    ASSERT_EQ(rows(),
              (QStringList{QStringLiteral("[Friends]"), QStringLiteral("[Work]"), QStringLiteral("Bob 10.0.0.5(off)"),
                           QStringLiteral("Friends 10.0.0.6")}));

    // The only other "bob" is the row itself.
    rename(2, QStringLiteral("bob"));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(raw(kBook), (QStringList{QStringLiteral("0bob=10.0.0.5"), QStringLiteral("1Friends=10.0.0.6")}));
    EXPECT_EQ(rows()[2], QStringLiteral("bob 10.0.0.5(off)"));

    // A user called Friends does not hold the name against a group, but the group does.
    rename(1, QStringLiteral("friends"));
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].caption, tqString(Sid::NameTakenCaption));
    EXPECT_EQ(prompter.boxes[0].text,
              QStringLiteral("A item with the name you specified already exitst. Specify a different name"));
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Stop);
    EXPECT_TRUE(list->isEditing());
    ASSERT_NE(nameEditor(1), nullptr) << "the edit starts again on the same row";
    EXPECT_EQ(nameEditor(1)->text(), QStringLiteral("Work"));
    typeName(1, QStringLiteral("Pals"));
    EXPECT_EQ(book.ListGroups(),
              (QList<GroupEntry>{{QStringLiteral("Friends"), true}, {QStringLiteral("Pals"), true}}));
    EXPECT_EQ(levelNames(), (QStringList{QStringLiteral("Friends"), top, QStringLiteral("Pals")}));

    prompter.boxes.clear();
    rename(3, QStringLiteral("a;b"));
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Error Renaming Item"));
    EXPECT_FALSE(list->isEditing());
    rename(3, QString());
    EXPECT_EQ(rows()[3], QStringLiteral("Friends 10.0.0.6"));
    EXPECT_EQ(raw(kBook), (QStringList{QStringLiteral("0bob=10.0.0.5"), QStringLiteral("1Friends=10.0.0.6")}));
}

TEST_F(CAddressBookDlgTest, F5InsideAGroupReturnsToTheTopLevelForTheNextRename)
{
    put(top, "Ann", "10.0.0.1");
    put(QStringLiteral("Work"), "Ann", "10.0.1.1");
    open();
    doubleClick(0);
    ASSERT_EQ(levelList->currentText(), QStringLiteral("Work"));
    press(Qt::Key_F5);
    ASSERT_EQ(rows(), (QStringList{QStringLiteral("[Work]"), QStringLiteral("Ann 10.0.0.1")}));
    EXPECT_EQ(levelList->currentText(), top);

    rename(1, QStringLiteral("Anna"));
    EXPECT_EQ(raw(kBook), QStringList{QStringLiteral("1Anna=10.0.0.1")});
    EXPECT_EQ(raw(QStringLiteral("AddressBook\\Work")), QStringList{QStringLiteral("1Ann=10.0.1.1")});
}

TEST_F(CAddressBookDlgTest, SortingByHostOrdersAddressesByValueWithGroupsAlwaysFirst)
{
    put(top, "a", "10.0.0.10");
    put(top, "b", "alpha");
    put(top, "c", "10.0.0.9");
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("G1")));
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("G2")));
    open();
    const auto clickHeader = [this](int column) {
        QHeaderView *header = list->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
    };

    clickHeader(1);
    EXPECT_EQ(rows(),
              (QStringList{QStringLiteral("[G1]"), QStringLiteral("[G2]"), QStringLiteral("c 10.0.0.9"),
                           QStringLiteral("a 10.0.0.10"), QStringLiteral("b alpha")}));
    EXPECT_EQ(list->header()->sortIndicatorSection(), 1);
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);

    clickHeader(1);
    EXPECT_EQ(rows(),
              (QStringList{QStringLiteral("[G1]"), QStringLiteral("[G2]"), QStringLiteral("b alpha"),
                           QStringLiteral("a 10.0.0.10"), QStringLiteral("c 10.0.0.9")}));
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);

    clickHeader(0);
    EXPECT_EQ(rows().mid(0, 2), (QStringList{QStringLiteral("[G1]"), QStringLiteral("[G2]")}));
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::AscendingOrder) << "another column starts ascending";
    clickHeader(0);
    EXPECT_EQ(rows(),
              (QStringList{QStringLiteral("[G2]"), QStringLiteral("[G1]"), QStringLiteral("c 10.0.0.9"),
                           QStringLiteral("b alpha"), QStringLiteral("a 10.0.0.10")}));

    // Closing keeps the order and the widths; the next opening starts with them.
    list->header()->resizeSection(1, 123);
    clickHeader(1);
    dialog->close();
    EXPECT_EQ(settings.get(keys::AB_SortCol), 1);
    EXPECT_EQ(settings.get(keys::AB_SortAsc), 1);
    EXPECT_EQ(settings.get(keys::Column2), 123);
    open();
    EXPECT_EQ(rows()[2], QStringLiteral("c 10.0.0.9"));
    EXPECT_EQ(list->header()->sectionSize(1), 123);
}

TEST_F(CAddressBookDlgTest, TheStateImageSwitchesTheClickedRowOrEverySelectedRowOnItsOwn)
{
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Work")));
    put(top, "Ann", "10.0.0.1", false);
    put(top, "Bob", "10.0.0.2");
    open();
    selectRows({0, 1, 2});
    ASSERT_EQ(list->selectedRowNumbers(), (QList<int>{0, 1, 2}));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, stateImageOf(2));
    EXPECT_EQ(rows(),
              (QStringList{QStringLiteral("[Work](off)"), QStringLiteral("Ann 10.0.0.1"),
                           QStringLiteral("Bob 10.0.0.2(off)")}));
    EXPECT_EQ(raw(kBook), (QStringList{QStringLiteral("0Bob=10.0.0.2"), QStringLiteral("1Ann=10.0.0.1")}));
    EXPECT_EQ(raw(QStringLiteral("DisableGroup")), QStringList{QStringLiteral("Work=0")});
    EXPECT_EQ(list->selectedRowNumbers(), (QList<int>{0, 1, 2})) << "the click leaves the selection alone";

    // One row selected: only the clicked row changes; a double click does no more than a click.
    selectRows({1});
    doubleClickAt(stateImageOf(0));
    EXPECT_EQ(rows()[0], QStringLiteral("[Work]"));
    EXPECT_EQ(rows()[1], QStringLiteral("Ann 10.0.0.1"));
    EXPECT_EQ(levelList->currentText(), top) << "the double click did not enter the group";

    press(Qt::Key_Space);
    EXPECT_EQ(rows()[1], QStringLiteral("Ann 10.0.0.1(off)"));
    EXPECT_EQ(raw(kBook), (QStringList{QStringLiteral("0Ann=10.0.0.1"), QStringLiteral("0Bob=10.0.0.2")}));
}

TEST_F(CAddressBookDlgTest, ARestingPointerSelectsTheRowUnderIt)
{
    put(top, "Ann", "10.0.0.1");
    put(top, "Bob", "10.0.0.2");
    open();
    selectRows({0});
    QTest::mouseMove(list->viewport(), centreOf(1, 1));
    EXPECT_TRUE(test::waitUntil([this] { return list->selectedRowNumbers() == QList<int>{1}; }));
}

TEST_F(CAddressBookDlgTest, RemovingAsksOnceForSeveralRowsAndForEveryGroup)
{
    put(top, "Ann", "10.0.0.1");
    put(top, "Bob", "10.0.0.2");
    put(top, "Cy", "10.0.0.3");
    put(QStringLiteral("Work"), "Di", "10.0.1.4");
    ASSERT_TRUE(book.SetGroupActive(QStringLiteral("Work"), false));
    open();
    ASSERT_EQ(rows().size(), 4);

    selectRows({1, 2});
    EXPECT_TRUE(removeButton->isEnabled());
    prompter.answers = {Answer::Yes};
    press(Qt::Key_Delete);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Are you sure you want to delete these 2 items?"));
    EXPECT_EQ(prompter.boxes[0].defaultAnswer, Answer::No);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("[Work](off)"), QStringLiteral("Cy 10.0.0.3")}));
    EXPECT_EQ(raw(kBook), QStringList{QStringLiteral("1Cy=10.0.0.3")});
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Address Book [1 Groups, 1 Users]"));

    // A group is asked about even among several rows; refusing it keeps it and goes on.
    prompter.boxes.clear();
    selectRows({0, 1});
    prompter.answers = {Answer::Yes, Answer::No};
    QTest::mouseClick(removeButton, Qt::LeftButton);
    ASSERT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(prompter.boxes[1].text,
              QStringLiteral("Are you sure you want to remove the user group \"Work\" and all its content?"));
    EXPECT_EQ(prompter.boxes[1].defaultAnswer, Answer::No);
    EXPECT_EQ(rows(), QStringList{QStringLiteral("[Work](off)")});
    EXPECT_FALSE(removeButton->isEnabled());

    prompter.boxes.clear();
    selectRows({0});
    prompter.answers = {Answer::Yes};
    press(Qt::Key_Delete);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Confirm User Group Delete"));
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(book.ListGroups().isEmpty());
    EXPECT_TRUE(raw(QStringLiteral("DisableGroup")).isEmpty());
    EXPECT_EQ(levelNames(), QStringList{top});
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Address Book [0 Users]"));
}

TEST_F(CAddressBookDlgTest, RemovingOneUserAsksByNameAndSelectsTheRowThatTakesItsPlace)
{
    put(top, "Ann", "10.0.0.1");
    put(top, "Bob", "10.0.0.2");
    put(top, "Cy", "10.0.0.3");
    open();
    selectRows({1});
    prompter.answers = {Answer::No};
    press(Qt::Key_Delete);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Are you sure you want to delete \"Bob\"?"));
    EXPECT_EQ(rows().size(), 3);

    selectRows({1});
    press(Qt::Key_Delete);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("Ann 10.0.0.1"), QStringLiteral("Cy 10.0.0.3")}));
    EXPECT_EQ(list->selectedRowNumbers(), QList<int>{1});
    press(Qt::Key_Delete);
    EXPECT_EQ(list->selectedRowNumbers(), QList<int>{0}) << "the last row gone, the first is selected";
    EXPECT_EQ(raw(kBook), QStringList{QStringLiteral("1Ann=10.0.0.1")});
}

TEST_F(CAddressBookDlgTest, ANewGroupTakesTheFirstFreeNameAndIsNamedAtOnce)
{
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("My Group")));
    put(top, "my group1", "10.0.0.1");
    open();
    press(Qt::Key_Insert, Qt::ControlModifier);
    ASSERT_TRUE(list->isEditing());
    ASSERT_NE(nameEditor(0), nullptr);
    EXPECT_EQ(nameEditor(0)->text(), QStringLiteral("My Group2"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Address Book [2 Groups, 1 Users]"));
    typeName(0, QStringLiteral("Pals"));
    EXPECT_EQ(book.ListGroups(),
              (QList<GroupEntry>{{QStringLiteral("My Group"), true}, {QStringLiteral("Pals"), true}}));
    EXPECT_EQ(levelNames(), (QStringList{QStringLiteral("My Group"), top, QStringLiteral("Pals")}));

    // Destroyed with the next name still being typed: the edit dies with the window.
    press(Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClicks(nameEditor(0), QStringLiteral("x"));
    dialog.reset();
    EXPECT_EQ(book.ListGroups().at(1).name, QStringLiteral("My Group2"));
}

TEST_F(CAddressBookDlgTest, ClosingReportsWhetherTheAddressBookChanged)
{
    open();
    QSignalSpy quiet(dialog.get(), &CAddressBookDlg::addressBookChanged);
    dialog->close();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(quiet.count(), 0);
    EXPECT_EQ(settings.get(keys::Column1), 165);

    open();
    QSignalSpy changed(dialog.get(), &CAddressBookDlg::addressBookChanged);
    press(Qt::Key_Insert);
    QLineEdit *name = userControl<QLineEdit>("userName");
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, QStringLiteral("Ann"));
    QTest::keyClicks(userControl<QLineEdit>("userHost"), QStringLiteral("10.0.0.1"));
    QTest::keyClick(name, Qt::Key_Return);
    userDialog()->reject();
    // Half-typed names count too: closing applies the open edit.
    list->setCurrentIndex(cell(0));
    press(Qt::Key_F2);
    ASSERT_NE(nameEditor(0), nullptr);
    QTest::keyClick(nameEditor(0), Qt::Key_End);
    QTest::keyClicks(nameEditor(0), QStringLiteral("na"));
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("closeButton")), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(dialog->changedAddressBook());

    const AddressBookRefresh refresh = RefreshAddressBook(book, false);
    ASSERT_EQ(refresh.destinations.size(), 1);
    EXPECT_EQ(refresh.destinations.at(0).text, QStringLiteral("Annna/10.0.0.1"));
}

} // namespace
} // namespace tq
