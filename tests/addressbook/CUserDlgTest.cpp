#include "addressbook/AddressBookDialogFixture.h"
#include "res/StringTable.h"

namespace tq {
namespace {

class CUserDlgTest : public test::AddressBookDialogTest {
protected:
    // Fills the user dialog's fields and presses one of its buttons.
    void fill(const QString &name, const QString &host)
    {
        QLineEdit *nameField = userControl<QLineEdit>("userName");
        QLineEdit *hostField = userControl<QLineEdit>("userHost");
        ASSERT_TRUE(nameField && hostField);
        nameField->setText(name);
        hostField->setText(host);
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
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Work")));
    open();
    QTest::mouseClick(addUserButton, Qt::LeftButton);
    ASSERT_TRUE(userDialogOpen());
    EXPECT_EQ(userDialog()->windowTitle(), QStringLiteral("Add or modify user"));
    EXPECT_FALSE(userControl<QPushButton>("modifyButton")->isEnabled());
    EXPECT_EQ(userControl<QComboBox>("groupList")->currentText(), top);
    EXPECT_EQ(userControl<QLineEdit>("userName")->maxLength(), 255);
    EXPECT_EQ(userControl<QLineEdit>("userHost")->maxLength(), 255);

    click("addButton");
    EXPECT_EQ(sound.played, QStringList{QStringLiteral("SystemQuestion")});
    EXPECT_TRUE(userDialogOpen());
    EXPECT_TRUE(raw(kBook).isEmpty());

    fill(QStringLiteral("Ann"), QStringLiteral("10.0.0.1"));
    click("addButton");
    EXPECT_TRUE(userDialogOpen());
    EXPECT_EQ(userControl<QLineEdit>("userName")->selectedText(), QStringLiteral("Ann"));
    EXPECT_EQ(raw(kBook), QStringList{QStringLiteral("1Ann=10.0.0.1")});
    EXPECT_EQ(rows().last(), QStringLiteral("Ann 10.0.0.1"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Address Book [1 Groups, 1 Users]"));

    // The same name again in the level replaces the user instead of adding a row.
    fill(QStringLiteral("ann"), QStringLiteral("10.0.0.9"));
    click("addButton");
    EXPECT_EQ(raw(kBook), QStringList{QStringLiteral("1ann=10.0.0.9")});
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("[Work]"), QStringLiteral("ann 10.0.0.9")}));

    // Another group: the store only, the list shows the top level still.
    fill(QStringLiteral("Bob"), QStringLiteral("10.0.1.2"));
    chooseGroup(QStringLiteral("Work"));
    click("addButton");
    EXPECT_EQ(raw(QStringLiteral("AddressBook\\Work")), QStringList{QStringLiteral("1Bob=10.0.1.2")});
    EXPECT_EQ(rows().size(), 2);

    fill(QStringLiteral("a|b"), QStringLiteral("x"));
    click("addButton");
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, tqString(Sid::NameHasForbiddenCharacter));
    EXPECT_TRUE(userDialogOpen());
    EXPECT_EQ(book.ListUsers(QStringLiteral("Work")).size(), 1);
}

TEST_F(CUserDlgTest, ModifyWithAnEmptyNameClosesWithoutAChange)
{
    put(top, "Ann", "10.0.0.1");
    open();
    doubleClick(0);
    ASSERT_TRUE(userDialogOpen());
    EXPECT_EQ(userControl<QLineEdit>("userName")->text(), QStringLiteral("Ann"));
    EXPECT_EQ(userControl<QLineEdit>("userHost")->text(), QStringLiteral("10.0.0.1"));
    EXPECT_TRUE(userControl<QPushButton>("modifyButton")->isEnabled());

    fill(QString(), QStringLiteral("10.0.0.2"));
    click("modifyButton");
    EXPECT_FALSE(userDialogOpen());
    EXPECT_EQ(sound.played, QStringList{QStringLiteral("SystemQuestion")});
    EXPECT_EQ(raw(kBook), QStringList{QStringLiteral("1Ann=10.0.0.1")});
    EXPECT_EQ(rows(), QStringList{QStringLiteral("Ann 10.0.0.1")});
}

TEST_F(CUserDlgTest, ModifyKeepsTheStateReplacesANamesakeAndMovesOutOfTheLevel)
{
    put(top, "Bob", "10.0.0.2", false);
    put(top, "Cy", "10.0.0.3");
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Work")));
    open();
    ASSERT_EQ(
        rows(),
        (QStringList{QStringLiteral("[Work]"), QStringLiteral("Bob 10.0.0.2(off)"), QStringLiteral("Cy 10.0.0.3")}));

    doubleClick(1);
    fill(QStringLiteral("a:b"), QStringLiteral("x"));
    click("modifyButton");
    EXPECT_TRUE(userDialogOpen()) << "a forbidden character keeps the dialog open";
    ASSERT_EQ(prompter.boxes.size(), 1);

    // Cy's row takes the edited user; the level never holds a name twice.
    fill(QStringLiteral("cy"), QStringLiteral("h"));
    click("modifyButton");
    EXPECT_FALSE(userDialogOpen());
    EXPECT_EQ(raw(kBook), QStringList{QStringLiteral("0cy=h")});
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("[Work]"), QStringLiteral("cy h(off)")}));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Address Book [1 Groups, 1 Users]"));

    forgetClosedDialogs();
    doubleClick(1);
    chooseGroup(QStringLiteral("Work"));
    click("modifyButton");
    EXPECT_TRUE(raw(kBook).isEmpty());
    EXPECT_EQ(raw(QStringLiteral("AddressBook\\Work")), QStringList{QStringLiteral("0cy=h")});
    EXPECT_EQ(rows(), QStringList{QStringLiteral("[Work]")});
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Address Book [1 Groups, 0 Users]"));
}

TEST_F(CUserDlgTest, SeveralSelectedUsersAreCopiedAndMovedTogether)
{
    put(top, "Ann", "10.0.0.1");
    put(top, "Bob", "10.0.0.2", false);
    put(top, "Cy", "10.0.0.3");
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Work")));
    open();
    selectRows({1, 2});
    press(Qt::Key_Return);
    ASSERT_TRUE(userDialogOpen());
    EXPECT_EQ(userDialog()->windowTitle(), QStringLiteral("Add or modify user [ 2 users selected]"));
    EXPECT_EQ(userControl<QLineEdit>("userName")->text(), QStringLiteral("Ann; Bob; "));
    EXPECT_EQ(userControl<QLineEdit>("userHost")->text(), QStringLiteral("[ multiple item selected ]"));
    EXPECT_TRUE(userControl<QLineEdit>("userName")->isReadOnly());
    EXPECT_EQ(userControl<QPushButton>("addButton")->text(), QStringLiteral("&Copy"));
    EXPECT_EQ(userControl<QPushButton>("modifyButton")->text(), QStringLiteral("&Move"));

    chooseGroup(QStringLiteral("Work"));
    click("addButton");
    EXPECT_FALSE(userDialogOpen());
    EXPECT_EQ(raw(QStringLiteral("AddressBook\\Work")),
              (QStringList{QStringLiteral("1Ann=10.0.0.1"), QStringLiteral("1Bob=10.0.0.2")}));
    EXPECT_EQ(rows().size(), 4);

    forgetClosedDialogs();
    selectRows({1, 2});
    press(Qt::Key_Return);
    chooseGroup(QStringLiteral("Work"));
    click("modifyButton");
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("[Work]"), QStringLiteral("Cy 10.0.0.3")}));
    EXPECT_EQ(raw(kBook), QStringList{QStringLiteral("1Cy=10.0.0.3")});
    // Moving keeps each user's state, over the copies made before.
    EXPECT_EQ(raw(QStringLiteral("AddressBook\\Work")),
              (QStringList{QStringLiteral("0Bob=10.0.0.2"), QStringLiteral("1Ann=10.0.0.1")}));
}

} // namespace
} // namespace tq
