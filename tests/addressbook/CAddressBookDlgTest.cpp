#include "addressbook/AddressBookDialogFixture.h"
#include "addressbook/RefreshAddressBook.h"
#include "res/StringTable.h"
#include "support/SignalWaiter.h"

#include <QSignalSpy>

namespace tq {
namespace {

using Answer = Prompter::Answer;
using namespace Qt::StringLiterals;

class CAddressBookDlgTest : public test::AddressBookDialogTest { };

TEST_F(CAddressBookDlgTest, AnEmptyStoreShowsNoRowsAndOnlyTheTopLevel)
{
    open();
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(dialog->windowTitle(), u"Address Book [0 Users]"_s);
    EXPECT_EQ(levelNames(), QStringList{top});
    EXPECT_FALSE(upButton->isEnabled());
    EXPECT_FALSE(removeButton->isEnabled());
    // Enter without a selected row belongs to the default button, Close.
    press(Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(CAddressBookDlgTest, GroupsStandFirstAndEveryWayIntoAGroupAndBackWorks)
{
    put(top, "Zed", "10.0.0.26", false);
    put(top, "ann", "10.0.0.1");
    put(u"Work"_s, "Cy", "10.0.1.3");
    put(u"Work"_s, "Di", "10.0.1.4");
    put(u"friends"_s, "Ed", "10.0.2.5");
    ASSERT_TRUE(book.SetGroupActive(u"Work"_s, false));
    open();
    EXPECT_EQ(rows(), (QStringList{u"[friends]"_s, u"[Work](off)"_s, u"ann 10.0.0.1"_s, u"Zed 10.0.0.26(off)"_s}));
    EXPECT_EQ(dialog->windowTitle(), u"Address Book [2 Groups, 2 Users]"_s);
    EXPECT_EQ(levelNames(), (QStringList{u"friends"_s, top, u"Work"_s}));

    levelList->setCurrentIndex(2);
    Q_EMIT levelList->activated(2);
    EXPECT_EQ(rows(), (QStringList{u"Cy 10.0.1.3"_s, u"Di 10.0.1.4"_s}));
    EXPECT_EQ(dialog->windowTitle(), u"Address Book [2 Users]"_s);
    EXPECT_FALSE(addGroupButton->isEnabled());
    press(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(book.ListGroups().size(), 2) << "no group inside a group";

    press(Qt::Key_Backspace);
    EXPECT_EQ(levelList->currentText(), top);
    doubleClick(0);
    EXPECT_EQ(levelList->currentText(), u"friends"_s);
    QTest::mouseClick(upButton, Qt::LeftButton);
    EXPECT_EQ(levelList->currentText(), top);
    selectRows({1});
    press(Qt::Key_Return);
    EXPECT_EQ(levelList->currentText(), u"Work"_s);
}

TEST_F(CAddressBookDlgTest, RenamingInPlaceKeepsStateAndRefusesTakenOrForbiddenNames)
{
    put(top, "Bob", "10.0.0.5", false);
    put(top, "Friends", "10.0.0.6");
    ASSERT_TRUE(book.CreateGroup(u"Friends"_s));
    ASSERT_TRUE(book.CreateGroup(u"Work"_s));
    open();
    ASSERT_EQ(rows(), (QStringList{u"[Friends]"_s, u"[Work]"_s, u"Bob 10.0.0.5(off)"_s, u"Friends 10.0.0.6"_s}));

    // The only other "bob" is the row itself.
    rename(2, u"bob"_s);
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(raw(kBook), (QStringList{u"0bob=10.0.0.5"_s, u"1Friends=10.0.0.6"_s}));

    // A user called Friends does not hold the name against a group, but the group does.
    rename(1, u"friends"_s);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].caption, tqString(Sid::NameTakenCaption));
    ASSERT_NE(nameEditor(1), nullptr) << "the edit starts again on the same row";
    EXPECT_EQ(nameEditor(1)->text(), u"Work"_s);
    typeName(1, u"Pals"_s);
    EXPECT_EQ(book.ListGroups(), (QList<GroupEntry>{{u"Friends"_s, true}, {u"Pals"_s, true}}));
    EXPECT_EQ(levelNames(), (QStringList{u"Friends"_s, top, u"Pals"_s}));

    rename(3, u"a;b"_s);
    EXPECT_EQ(prompter.boxes.size(), 2);
    EXPECT_FALSE(list->isEditing());
    rename(3, QString());
    EXPECT_EQ(raw(kBook), (QStringList{u"0bob=10.0.0.5"_s, u"1Friends=10.0.0.6"_s}));
}

TEST_F(CAddressBookDlgTest, F5InsideAGroupReturnsToTheTopLevelForTheNextRename)
{
    put(top, "Ann", "10.0.0.1");
    put(u"Work"_s, "Ann", "10.0.1.1");
    open();
    doubleClick(0);
    ASSERT_EQ(levelList->currentText(), u"Work"_s);
    press(Qt::Key_F5);
    ASSERT_EQ(rows(), (QStringList{u"[Work]"_s, u"Ann 10.0.0.1"_s}));
    rename(1, u"Anna"_s);
    EXPECT_EQ(raw(kBook), QStringList{u"1Anna=10.0.0.1"_s});
    EXPECT_EQ(raw(u"AddressBook\\Work"_s), QStringList{u"1Ann=10.0.1.1"_s});
}

TEST_F(CAddressBookDlgTest, SortingByHostOrdersAddressesByValueWithGroupsAlwaysFirst)
{
    put(top, "a", "10.0.0.10");
    put(top, "b", "alpha");
    put(top, "c", "10.0.0.9");
    ASSERT_TRUE(book.CreateGroup(u"G1"_s));
    ASSERT_TRUE(book.CreateGroup(u"G2"_s));
    open();
    const auto clickHeader = [this](int column) {
        QHeaderView *header = list->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
    };
    clickHeader(1);
    EXPECT_EQ(rows(), (QStringList{u"[G1]"_s, u"[G2]"_s, u"c 10.0.0.9"_s, u"a 10.0.0.10"_s, u"b alpha"_s}));
    clickHeader(1);
    EXPECT_EQ(rows(), (QStringList{u"[G1]"_s, u"[G2]"_s, u"b alpha"_s, u"a 10.0.0.10"_s, u"c 10.0.0.9"_s}));
    clickHeader(0);
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::AscendingOrder) << "another column starts ascending";
    clickHeader(0);
    EXPECT_EQ(rows(), (QStringList{u"[G2]"_s, u"[G1]"_s, u"c 10.0.0.9"_s, u"b alpha"_s, u"a 10.0.0.10"_s}));

    // Closing keeps the order and the widths; the next opening starts with them.
    list->header()->resizeSection(1, 123);
    clickHeader(1);
    dialog->close();
    open();
    EXPECT_EQ(rows()[2], u"c 10.0.0.9"_s);
    EXPECT_EQ(list->header()->sectionSize(1), 123);
}

TEST_F(CAddressBookDlgTest, TheStateImageSwitchesTheClickedRowOrEverySelectedRowOnItsOwn)
{
    ASSERT_TRUE(book.CreateGroup(u"Work"_s));
    put(top, "Ann", "10.0.0.1", false);
    put(top, "Bob", "10.0.0.2");
    open();
    selectRows({0, 1, 2});
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, stateImageOf(2));
    EXPECT_EQ(rows(), (QStringList{u"[Work](off)"_s, u"Ann 10.0.0.1"_s, u"Bob 10.0.0.2(off)"_s}));
    EXPECT_EQ(raw(kBook), (QStringList{u"0Bob=10.0.0.2"_s, u"1Ann=10.0.0.1"_s}));
    EXPECT_EQ(raw(u"DisableGroup"_s), QStringList{u"Work=0"_s});
    EXPECT_EQ(list->selectedRowNumbers(), (QList<int>{0, 1, 2})) << "the click leaves the selection alone";

    // One row selected: only the clicked row changes; a double click does no more than a click.
    selectRows({1});
    doubleClickAt(stateImageOf(0));
    EXPECT_EQ(rows().mid(0, 2), (QStringList{u"[Work]"_s, u"Ann 10.0.0.1"_s}));
    EXPECT_EQ(levelList->currentText(), top) << "the double click did not enter the group";
    press(Qt::Key_Space);
    EXPECT_EQ(rows()[1], u"Ann 10.0.0.1(off)"_s);
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

TEST_F(CAddressBookDlgTest, RemovingAsksOnceForSeveralUsersAndForEveryGroup)
{
    for (const char *name : {"Ann", "Bob", "Cy", "Di", "Ev"})
        put(top, name, "10.0.0.1");
    put(u"Work"_s, "Ed", "10.0.1.4");
    open();
    selectRows({1, 2});
    prompter.answers = {Answer::Yes};
    press(Qt::Key_Delete);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, u"Are you sure you want to delete these 2 items?"_s);
    EXPECT_EQ(prompter.boxes[0].defaultAnswer, Answer::No);
    EXPECT_EQ(rows(), (QStringList{u"[Work]"_s, u"Cy 10.0.0.1"_s, u"Di 10.0.0.1"_s, u"Ev 10.0.0.1"_s}));

    // A group is asked about even among several rows; refusing it keeps it and goes on.
    prompter.boxes.clear();
    selectRows({0, 1});
    prompter.answers = {Answer::Yes, Answer::No};
    QTest::mouseClick(removeButton, Qt::LeftButton);
    ASSERT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(prompter.boxes[1].text,
              u"Are you sure you want to remove the user group \"Work\" and all its content?"_s);
    EXPECT_EQ(rows(), (QStringList{u"[Work]"_s, u"Di 10.0.0.1"_s, u"Ev 10.0.0.1"_s}));

    // One user is asked about by name; the row that takes its place is selected.
    prompter.boxes.clear();
    selectRows({1});
    prompter.answers = {Answer::No, Answer::Yes};
    press(Qt::Key_Delete);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, u"Are you sure you want to delete \"Di\"?"_s);
    selectRows({1});
    press(Qt::Key_Delete);
    EXPECT_EQ(rows(), (QStringList{u"[Work]"_s, u"Ev 10.0.0.1"_s}));
    EXPECT_EQ(list->selectedRowNumbers(), QList<int>{1});
    prompter.answers = {Answer::Yes};
    selectRows({0});
    press(Qt::Key_Delete);
    EXPECT_EQ(rows(), QStringList{u"Ev 10.0.0.1"_s});
    EXPECT_TRUE(book.ListGroups().isEmpty());
    EXPECT_EQ(levelNames(), QStringList{top});
}

TEST_F(CAddressBookDlgTest, RemovingOrSwitchingAUserLeavesTheGroupOfItsStoredNameAndBack)
{
    // The user Bob is stored as "1Bob", the deactivated user Cy as "0Cy": the names of two groups.
    put(top, "Bob", "10.0.0.5");
    put(top, "Cy", "10.0.0.3", false);
    put(u"1Bob"_s, "Al", "10.0.1.1");
    put(u"0Cy"_s, "Ed", "10.0.2.5");
    open();
    ASSERT_EQ(rows(), (QStringList{u"[0Cy]"_s, u"[1Bob]"_s, u"Bob 10.0.0.5"_s, u"Cy 10.0.0.3(off)"_s}));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, stateImageOf(2));
    ASSERT_EQ(rows()[2], u"Bob 10.0.0.5(off)"_s);
    EXPECT_EQ(book.ListUsers(u"1Bob"_s).size(), 1) << "switching Bob off kept the group's users";
    prompter.answers = {Answer::Yes};
    selectRows({2});
    press(Qt::Key_Delete);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(rows(), (QStringList{u"[0Cy]"_s, u"[1Bob]"_s, u"Cy 10.0.0.3(off)"_s}));
    EXPECT_EQ(book.ListUsers(u"1Bob"_s).size(), 1) << "removing Bob kept the group's users";

    prompter.answers = {Answer::Yes};
    selectRows({0});
    press(Qt::Key_Delete);
    ASSERT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(rows(), (QStringList{u"[1Bob]"_s, u"Cy 10.0.0.3(off)"_s}));
    dialog->close();
    EXPECT_EQ(book.ListGroups(), (QList<GroupEntry>{{u"1Bob"_s, true}}));
    EXPECT_EQ(raw(kBook), QStringList{u"0Cy=10.0.0.3"_s}) << "removing the group 0Cy kept the user Cy";
}

TEST_F(CAddressBookDlgTest, ANewGroupTakesTheFirstFreeNameAndIsNamedAtOnce)
{
    ASSERT_TRUE(book.CreateGroup(u"My Group"_s));
    ASSERT_TRUE(book.CreateGroup(u"Work"_s));
    put(top, "my group1", "10.0.0.1");
    open();
    // The new group is named where the sorted list puts it, and moves when its name does.
    press(Qt::Key_Insert, Qt::ControlModifier);
    ASSERT_NE(nameEditor(1), nullptr);
    EXPECT_EQ(nameEditor(1)->text(), u"My Group2"_s);
    typeName(1, u"Zoo"_s);
    EXPECT_EQ(book.ListGroups(), (QList<GroupEntry>{{u"My Group"_s, true}, {u"Work"_s, true}, {u"Zoo"_s, true}}));
    EXPECT_EQ(rows(), (QStringList{u"[My Group]"_s, u"[Work]"_s, u"[Zoo]"_s, u"my group1 10.0.0.1"_s}));

    // Destroyed with the next name still being typed: the edit dies with the window.
    press(Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClicks(nameEditor(1), u"x"_s);
    dialog.reset();
    EXPECT_EQ(book.ListGroups().at(1).name, u"My Group2"_s);
}

TEST_F(CAddressBookDlgTest, ClosingReportsWhetherTheAddressBookChangedAndAppliesAnOpenEdit)
{
    open();
    QSignalSpy quiet(dialog.get(), &CAddressBookDlg::addressBookChanged);
    dialog->close();
    EXPECT_EQ(quiet.count(), 0);

    put(top, "Ann", "10.0.0.1");
    open();
    QSignalSpy changed(dialog.get(), &CAddressBookDlg::addressBookChanged);
    list->setCurrentIndex(cell(0));
    press(Qt::Key_F2);
    ASSERT_NE(nameEditor(0), nullptr);
    QTest::keyClick(nameEditor(0), Qt::Key_End);
    QTest::keyClicks(nameEditor(0), u"na"_s);
    QTest::mouseClick(dialog->findChild<QPushButton *>(u"closeButton"_s), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(dialog->changedAddressBook());
    EXPECT_EQ(RefreshAddressBook(book, false).destinations.at(0).text, u"Annna/10.0.0.1"_s);
}

} // namespace
} // namespace tq
