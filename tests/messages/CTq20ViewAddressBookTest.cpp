#include "messages/StandaloneView.h"

#include "addressbook/TemplateFiles.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <gtest/gtest.h>

namespace tq {
namespace {

class ViewAddressBookTest : public test::StandaloneView {
protected:
    // Top level: Ann active, Bob as asked, Cy deactivated; groups Friends (active, two users),
    // Junk Senders and Quiet (both deactivated).
    void fillBook(bool bobActive)
    {
        putUser(top, "Ann", QStringLiteral("10.0.0.1"));
        putUser(top, "Bob", QStringLiteral("10.0.0.2"), bobActive);
        putUser(top, "Cy", QStringLiteral("10.0.0.3"), false);
        putUser(QStringLiteral("Friends"), "Dee", QStringLiteral("10.0.0.4"));
        putUser(QStringLiteral("Friends"), "Eve", QStringLiteral("10.0.0.5"));
        ASSERT_TRUE(book.CreateGroup(QStringLiteral("Junk Senders")));
        ASSERT_TRUE(book.MarkGroupDeactivated(QStringLiteral("Junk Senders")));
        ASSERT_TRUE(book.CreateGroup(QStringLiteral("Quiet")));
        ASSERT_TRUE(book.MarkGroupDeactivated(QStringLiteral("Quiet")));
    }

    QStringList groupMenuItems() const
    {
        QStringList items;
        const QList<QAction *> actions = view->addSenderMenu()->actions();
        for (QAction *action : actions.mid(2))
            items.append(action->isSeparator() ? QStringLiteral("--")
                                               : action->text() + QLatin1Char('=') + action->data().toString());
        return items;
    }

    QAction *menuAction(const QString &objectName) const
    {
        return view->addSenderMenu()->findChild<QAction *>(objectName);
    }

    // Chooses the entry at `index` with the mouse, as the user does.
    void pick(int index)
    {
        box()->showPopup();
        QAbstractItemView *list = box()->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
        const QRect rect = list->visualRect(list->model()->index(index, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        ASSERT_TRUE(test::waitUntil([&] { return !list->isVisible(); }, 2000)) << "the popup closes";
    }
};

TEST_F(ViewAddressBookTest, TheListOffersActiveUsersGroupsAndAllUsersWithTheirCodes)
{
    fillBook(false);
    settings.set(keys::UseProtocol, 0);
    start();
    // Friends is the first group in the store, Junk Senders the second, Quiet the third.
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("< Friends >=10"), QStringLiteral("Ann/10.0.0.1=0")}));
    EXPECT_FALSE(box()->itemIcon(0).isNull());
    EXPECT_EQ(view->station().addressBook().groupMembers(0), QStringLiteral("Dee/10.0.0.4;Eve/10.0.0.5;"));
    // Junk Senders never gets an item; Quiet does, deactivated or not.
    EXPECT_EQ(groupMenuItems(),
              (QStringList{QStringLiteral("--"), QStringLiteral("Friends=20000"), QStringLiteral("Quiet=20002")}));

    // Bob active: he and "< All users >" come in, sorted without regard to case. The text in
    // the field survives the refill.
    ASSERT_TRUE(book.SetUserActive(top, QStringLiteral("Bob"), QStringLiteral("10.0.0.2"), false));
    ASSERT_TRUE(book.SetGroupActive(QStringLiteral("Junk Senders"), true));
    box()->setEditText(QStringLiteral("typed;10.0.0.7"));
    view->addressBookChanged();
    EXPECT_EQ(entries(),
              (QStringList{QStringLiteral("< All users >=9"), QStringLiteral("< Friends >=10"),
                           QStringLiteral("< Junk Senders >=11"), QStringLiteral("Ann/10.0.0.1=0"),
                           QStringLiteral("Bob/10.0.0.2=0")}));
    EXPECT_EQ(box()->currentText(), QStringLiteral("typed;10.0.0.7"));
}

TEST_F(ViewAddressBookTest, TheBroadcastEntryFollowsTheSettingWithoutARefill)
{
    fillBook(true);
    settings.set(keys::UseProtocol, 0);
    start();
    // A user added behind the view's back shows that no refill happened.
    putUser(top, "Zed", QStringLiteral("10.0.0.9"));
    box()->setEditText(QStringLiteral("Ann"));

    settings.set(keys::UseProtocol, 2);
    view->station().reloadSettings();
    view->station().reloadSettings();
    EXPECT_EQ(entries().value(0), QStringLiteral("< All (broadcast) >=8"));
    EXPECT_EQ(entries().size(), 5) << "present once, and no refill";
    EXPECT_EQ(box()->currentText(), QStringLiteral("Ann"));
}

TEST_F(ViewAddressBookTest, TypingCompletesAndBackspaceDoesNot)
{
    fillBook(true);
    start();
    field()->setFocus();
    QTest::keyClicks(field(), QStringLiteral("a"));
    EXPECT_EQ(field()->text(), QStringLiteral("Ann/10.0.0.1")) << "the first entry in list order";
    EXPECT_EQ(field()->selectedText(), QStringLiteral("nn/10.0.0.1"));

    QTest::keyClick(field(), Qt::Key_Backspace);
    EXPECT_EQ(field()->text(), QStringLiteral("A")) << "the completion goes, nothing comes back";
    QTest::keyClick(field(), Qt::Key_Backspace);
    EXPECT_EQ(field()->text(), QString());

    QTest::keyClicks(field(), QStringLiteral("q;x"));
    EXPECT_EQ(field()->text(), QStringLiteral("q;x")) << "no entry begins with it";

    // Completing to the entry already selected still completes.
    field()->clear();
    QTest::keyClicks(field(), QStringLiteral("an"));
    QTest::keyClick(field(), Qt::Key_Backspace);
    QTest::keyClicks(field(), QStringLiteral("n"));
    EXPECT_EQ(field()->text(), QStringLiteral("Ann/10.0.0.1"));
}

TEST_F(ViewAddressBookTest, PickingAGroupFillsOnlyAComposeBoxWithoutTheUsersText)
{
    fillBook(true);
    start();
    const auto friendsFile = addressbook::templateFilePath(appDataDir(), QStringLiteral("Friends"));
    ASSERT_TRUE(friendsFile);
    ASSERT_TRUE(addressbook::writeTemplateText(*friendsFile, QStringLiteral("See you\nat eight")));
    const int friends = box()->findText(QStringLiteral("< Friends >"));
    const int ann = box()->findText(QStringLiteral("Ann/10.0.0.1"));
    ASSERT_GE(friends, 0);

    pick(friends);
    EXPECT_EQ(box()->currentText(), QStringLiteral("< Friends >"));
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("See you\nat eight\n"));
    EXPECT_TRUE(compose()->hasFocus());
    EXPECT_EQ(selected(), compose()->toPlainText());

    // A user entry brings no text; the compose box keeps what it has.
    pick(ann);
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("See you\nat eight\n"));

    type(QStringLiteral("my own words"));
    pick(friends);
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("my own words"));
    EXPECT_TRUE(compose()->hasFocus());

    // Blanks are not the user's text.
    type(QStringLiteral("  "));
    pick(ann);
    pick(friends);
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("See you\nat eight\n"));
}

TEST_F(ViewAddressBookTest, TheFieldsIconShowsTheKindOfWhatTheFieldHoldsNow)
{
    fillBook(true);
    start();
    // The picture painted in front of the field, with the focus elsewhere as after a pick.
    const auto shownIcon = [this] {
        compose()->setFocus();
        QStyleOptionComboBox option;
        option.initFrom(box());
        option.editable = true;
        const QRect editRect =
            box()->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box());
        EXPECT_EQ(field()->x() - editRect.left(), box()->iconSize().width() + 4) << "the field covers the icon";
        return box()
            ->grab(QRect(editRect.left(), editRect.top(), box()->iconSize().width(), editRect.height()))
            .toImage();
    };
    const QImage blank = shownIcon();
    pick(box()->findText(QStringLiteral("Ann/10.0.0.1")));
    const QImage user = shownIcon();
    pick(box()->findText(QStringLiteral("< Friends >")));
    const QImage group = shownIcon();
    ASSERT_NE(user, blank);
    ASSERT_NE(group, user);

    // Typed over the picked group: a station, shown as a user.
    field()->setFocus();
    field()->selectAll();
    QTest::keyClicks(field(), QStringLiteral("10.0.0.9"));
    EXPECT_EQ(shownIcon(), user);
    field()->selectAll();
    QTest::keyClick(field(), Qt::Key_Delete);
    EXPECT_EQ(shownIcon(), blank);

    // A refill leaves no entry selected; the text still goes to the group it begins.
    box()->setEditText(QStringLiteral("< Fri"));
    view->addressBookChanged();
    EXPECT_EQ(box()->currentIndex(), -1);
    EXPECT_EQ(shownIcon(), group);
}

TEST_F(ViewAddressBookTest, AddingTheSenderThroughTheMenu)
{
    putUser(QStringLiteral("Friends"), "Bob", QStringLiteral("10.0.0.1"), false);
    start();
    EXPECT_FALSE(view->addSenderMenu()->menuAction()->isEnabled()) << "no message on display";
    EXPECT_FALSE(menuAction(QStringLiteral("actionAddSender20000"))->isEnabled());

    // A new sender goes to the top level; the list offers him at once.
    showMessageFrom("Ann;x@evil.example/127.0.0.1:7001");
    EXPECT_EQ(box()->currentText(), QStringLiteral("Annx@evil.example/127.0.0.1:7001"))
        << "a ';' in the name would make a second destination";
    showMessageFrom("Ann/127.0.0.1:7001u");
    view->action(CTq20View::Command::AddSenderOutsideAnyGroup)->trigger();
    EXPECT_EQ(book.FindUserFlag(top, QStringLiteral("Ann")), true);
    EXPECT_TRUE(entries().contains(QStringLiteral("Ann/127.0.0.1:7001u=0")));

    // The deactivated Bob of Friends, answered Yes: still deactivated, with the new host.
    showMessageFrom("Bob/10.0.0.5:u");
    box()->setEditText(QStringLiteral("elsewhere"));
    prompter.answers = {Prompter::Answer::Yes};
    menuAction(QStringLiteral("actionAddSender20000"))->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(book.ListUsers(QStringLiteral("Friends")),
              (QList<UserEntry>{{QStringLiteral("Bob"), QStringLiteral("10.0.0.5:u"), false}}));
    EXPECT_TRUE(view->station().addressBook().IsDeactivatedSender(QStringLiteral("bob")))
        << "the snapshot was refreshed";
    EXPECT_EQ(box()->currentText(), QStringLiteral("Bob/10.0.0.5:u"));

    // A system name with a colon is refused before anything changes.
    showMessageFrom("Mal:lory/10.0.0.6");
    box()->setEditText(QStringLiteral("kept"));
    view->action(CTq20View::Command::AddSenderJunk)->trigger();
    ASSERT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(prompter.boxes[1].caption, QStringLiteral("Error Renaming Item"));
    EXPECT_EQ(book.FindUserFlag(QStringLiteral("Junk Senders"), QStringLiteral("Mal:lory")), std::nullopt);
    EXPECT_EQ(box()->currentText(), QStringLiteral("kept"));
}

} // namespace
} // namespace tq
