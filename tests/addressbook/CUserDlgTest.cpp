#include "addressbook/AddressBookDialogFixture.h"
#include "res/StringTable.h"

namespace tq {
namespace {

using namespace Qt::StringLiterals;

class CUserDlgTest : public test::AddressBookDialogTest {
protected:
    // Fills the user dialog's fields, chooses a group when one is named and presses a button.
    void submit(const char *button, const QString &name, const QString &host, const QString &group = {})
    {
        QLineEdit *nameField = userControl<QLineEdit>("userName");
        QLineEdit *hostField = userControl<QLineEdit>("userHost");
        ASSERT_TRUE(nameField && hostField);
        if (!nameField->isReadOnly()) {
            nameField->setText(name);
            hostField->setText(host);
        }
        if (!group.isEmpty())
            chooseGroup(group);
        click(button);
    }
    void chooseGroup(const QString &group)
    {
        auto *groups = userControl<QComboBox>("groupList");
        ASSERT_NE(groups, nullptr);
        const int index = groups->findText(group);
        ASSERT_GE(index, 0);
        groups->setCurrentIndex(index);
    }
    void click(const char *button)
    {
        auto *pushButton = userControl<QPushButton>(button);
        ASSERT_NE(pushButton, nullptr) << button;
        QTest::mouseClick(pushButton, Qt::LeftButton);
    }
    bool userDialogOpen() const { return userDialog() && userDialog()->isVisible(); }
    void forgetClosedDialogs() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(CUserDlgTest, AddKeepsTheDialogOpenForTheNextUserAndRefusesAnEmptyName)
{
    ASSERT_TRUE(book.CreateGroup(u"Work"_s));
    open();
    QTest::mouseClick(addUserButton, Qt::LeftButton);
    ASSERT_TRUE(userDialogOpen());
    EXPECT_FALSE(userControl<QPushButton>("modifyButton")->isEnabled());
    EXPECT_EQ(userControl<QComboBox>("groupList")->currentText(), top);

    submit("addButton", {}, u"10.0.0.1"_s);
    EXPECT_EQ(sound.played, QStringList{u"SystemQuestion"_s});
    EXPECT_TRUE(userDialogOpen());
    EXPECT_TRUE(raw(kBook).isEmpty());

    submit("addButton", u"Ann"_s, u"10.0.0.1"_s);
    EXPECT_TRUE(userDialogOpen());
    EXPECT_EQ(userControl<QLineEdit>("userName")->selectedText(), u"Ann"_s);
    EXPECT_EQ(dialog->windowTitle(), u"Address Book [1 Groups, 1 Users]"_s);
    // The same name again in the level replaces the user instead of adding a row.
    submit("addButton", u"ann"_s, u"10.0.0.9"_s);
    EXPECT_EQ(raw(kBook), QStringList{u"1ann=10.0.0.9"_s});
    EXPECT_EQ(rows(), (QStringList{u"[Work]"_s, u"ann 10.0.0.9"_s}));

    // Another group: the store only, the list shows the top level still.
    submit("addButton", u"Bob"_s, u"10.0.1.2"_s, u"Work"_s);
    EXPECT_EQ(raw(u"AddressBook\\Work"_s), QStringList{u"1Bob=10.0.1.2"_s});
    EXPECT_EQ(rows().size(), 2);

    submit("addButton", u"a|b"_s, u"x"_s);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, tqString(Sid::NameHasForbiddenCharacter));
    EXPECT_TRUE(userDialogOpen());
    EXPECT_EQ(book.ListUsers(u"Work"_s).size(), 1);
}

TEST_F(CUserDlgTest, ModifyWithAnEmptyNameClosesWithoutAChange)
{
    put(top, "Ann", "10.0.0.1");
    open();
    doubleClick(0);
    ASSERT_TRUE(userDialogOpen());
    EXPECT_EQ(userControl<QLineEdit>("userHost")->text(), u"10.0.0.1"_s);
    submit("modifyButton", {}, u"10.0.0.2"_s);
    EXPECT_FALSE(userDialogOpen());
    EXPECT_EQ(sound.played, QStringList{u"SystemQuestion"_s});
    EXPECT_EQ(raw(kBook), QStringList{u"1Ann=10.0.0.1"_s});
}

TEST_F(CUserDlgTest, ModifyKeepsTheStateReplacesANamesakeAndMovesOutOfTheLevel)
{
    put(top, "Bob", "10.0.0.2", false);
    put(top, "Cy", "10.0.0.3");
    ASSERT_TRUE(book.CreateGroup(u"Work"_s));
    open();
    doubleClick(1);
    submit("modifyButton", u"a:b"_s, u"x"_s);
    EXPECT_TRUE(userDialogOpen()) << "a forbidden character keeps the dialog open";

    // Cy's row takes the edited user; the level never holds a name twice.
    submit("modifyButton", u"cy"_s, u"h"_s);
    EXPECT_FALSE(userDialogOpen());
    EXPECT_EQ(raw(kBook), QStringList{u"0cy=h"_s});
    EXPECT_EQ(rows(), (QStringList{u"[Work]"_s, u"cy h(off)"_s}));

    forgetClosedDialogs();
    doubleClick(1);
    submit("modifyButton", u"cy"_s, u"h"_s, u"Work"_s);
    EXPECT_EQ(raw(u"AddressBook\\Work"_s), QStringList{u"0cy=h"_s});
    EXPECT_EQ(rows(), QStringList{u"[Work]"_s});
    EXPECT_EQ(dialog->windowTitle(), u"Address Book [1 Groups, 0 Users]"_s);
}

TEST_F(CUserDlgTest, SeveralSelectedUsersAreCopiedAndMovedTogether)
{
    put(top, "Ann", "10.0.0.1");
    put(top, "Bob", "10.0.0.2", false);
    put(top, "Cy", "10.0.0.3");
    ASSERT_TRUE(book.CreateGroup(u"Work"_s));
    open();
    selectRows({1, 2});
    press(Qt::Key_Return);
    ASSERT_TRUE(userDialogOpen());
    EXPECT_EQ(userControl<QLineEdit>("userName")->text(), u"Ann; Bob; "_s);
    EXPECT_TRUE(userControl<QLineEdit>("userName")->isReadOnly());
    submit("addButton", {}, {}, u"Work"_s);
    EXPECT_FALSE(userDialogOpen());
    EXPECT_EQ(raw(u"AddressBook\\Work"_s), (QStringList{u"1Ann=10.0.0.1"_s, u"1Bob=10.0.0.2"_s}));
    EXPECT_EQ(rows().size(), 4);

    forgetClosedDialogs();
    selectRows({1, 2});
    press(Qt::Key_Return);
    submit("modifyButton", {}, {}, u"Work"_s);
    EXPECT_EQ(raw(kBook), QStringList{u"1Cy=10.0.0.3"_s});
    // Moving keeps each user's state, over the copies made before.
    EXPECT_EQ(raw(u"AddressBook\\Work"_s), (QStringList{u"0Bob=10.0.0.2"_s, u"1Ann=10.0.0.1"_s}));
}

TEST_F(CUserDlgTest, AddedModifiedAndRenamedUsersTakeThePlaceTheHeaderShows)
{
    put(top, "Bob", "10.0.0.20");
    put(top, "Dee", "10.0.0.4");
    ASSERT_TRUE(book.CreateGroup(u"Work"_s));
    open();
    ASSERT_EQ(list->header()->sortIndicatorSection(), 0);
    QTest::mouseClick(addUserButton, Qt::LeftButton);
    submit("addButton", u"Ann"_s, u"10.0.0.9"_s);
    submit("addButton", u"Cy"_s, u"10.0.0.3"_s);
    EXPECT_EQ(rows(),
              (QStringList{u"[Work]"_s, u"Ann 10.0.0.9"_s, u"Bob 10.0.0.20"_s, u"Cy 10.0.0.3"_s, u"Dee 10.0.0.4"_s}));
    click("closeButton");
    forgetClosedDialogs();

    doubleClick(4);
    submit("modifyButton", u"Abe"_s, u"10.0.0.4"_s);
    EXPECT_EQ(rows(),
              (QStringList{u"[Work]"_s, u"Abe 10.0.0.4"_s, u"Ann 10.0.0.9"_s, u"Bob 10.0.0.20"_s, u"Cy 10.0.0.3"_s}));
    rename(2, u"Zed"_s);
    EXPECT_EQ(rows(),
              (QStringList{u"[Work]"_s, u"Abe 10.0.0.4"_s, u"Bob 10.0.0.20"_s, u"Cy 10.0.0.3"_s, u"Zed 10.0.0.9"_s}));
    EXPECT_EQ(list->currentIndex().row(), 4) << "the renamed row stays the current one";

    // Descending by host, addresses by their value.
    QHeaderView *header = list->header();
    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 10, header->height() / 2));
    ASSERT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    forgetClosedDialogs();
    QTest::mouseClick(addUserButton, Qt::LeftButton);
    submit("addButton", u"Eve"_s, u"10.0.0.10"_s);
    EXPECT_EQ(rows(),
              (QStringList{u"[Work]"_s, u"Bob 10.0.0.20"_s, u"Eve 10.0.0.10"_s, u"Zed 10.0.0.9"_s, u"Abe 10.0.0.4"_s,
                           u"Cy 10.0.0.3"_s}));
}

} // namespace
} // namespace tq
