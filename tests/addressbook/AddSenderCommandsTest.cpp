#include "addressbook/AddSenderCommands.h"
#include "addressbook/AddressBookNames.h"
#include "addressbook/AddressBookStore.h"
#include "addressbook/ReplyDestination.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"
#include "support/RecordingPrompter.h"
#include "support/RecordingSoundPlayer.h"

namespace tq {
namespace {

class AddSenderCommandsTest : public test::IsolatedHome {
protected:
    AddressBookStore book;
    test::RecordingPrompter prompter;
    test::RecordingSoundPlayer sound;
    AddSenderCommands commands { book, prompter, sound };
    const QString friends = QStringLiteral("Friends");
};

TEST_F(AddSenderCommandsTest, ANewSenderIsFiledActive)
{
    const auto destination = commands.addToTopLevel(QStringLiteral("Bob/10.0.0.5:u"));
    EXPECT_EQ(destination, QStringLiteral("Bob/10.0.0.5:u"));
    EXPECT_EQ(book.ListUsers(QString()),
        (QList<UserEntry> { { QStringLiteral("Bob"), QStringLiteral("10.0.0.5:u"), true } }));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(sound.played, QStringList { QStringLiteral("CCSelect") });
}

TEST_F(AddSenderCommandsTest, AnExistingUserIsReplacedOnlyOnYesAndKeepsItsState)
{
    ASSERT_TRUE(book.PutUserKeepState(friends, QStringLiteral("bob"), QStringLiteral("10.0.0.1"), false));
    prompter.answers = { Prompter::Answer::No, Prompter::Answer::Yes };

    EXPECT_TRUE(commands.AddSenderToGroup(QStringLiteral("Bob/10.0.0.5:u"), friends));
    EXPECT_EQ(book.ListUsers(friends).value(0).host, QStringLiteral("10.0.0.1"));
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("User Already Exist."));
    EXPECT_EQ(prompter.boxes[0].text,
        QStringLiteral("User with name 'Bob' already exist in Address Book.\r\n"
                       "Do you wish to replace his address?"));
    EXPECT_EQ(prompter.boxes[0].buttons, Prompter::Buttons::YesNo);

    EXPECT_TRUE(commands.AddSenderToGroup(QStringLiteral("Bob/10.0.0.5:u"), friends));
    EXPECT_EQ(
        book.ListUsers(friends), (QList<UserEntry> { { QStringLiteral("Bob"), QStringLiteral("10.0.0.5:u"), false } }));
    EXPECT_EQ(sound.played.size(), 2) << "the sound follows either answer";
}

TEST_F(AddSenderCommandsTest, ForbiddenOrMissingNamesAreRefused)
{
    EXPECT_FALSE(commands.addToTopLevel(QStringLiteral("C:drive/10.0.0.5")));
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Error Renaming Item"));
    EXPECT_EQ(prompter.boxes[0].text,
        QStringLiteral("Item cannot contain any of the following characters\r\n\t\t\"\\/:*?\"<>|;\""));
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Stop);

    EXPECT_FALSE(commands.addToTopLevel(QStringLiteral("/10.0.0.5")));
    EXPECT_EQ(sound.played, QStringList { QStringLiteral("SystemQuestion") });
    EXPECT_TRUE(book.ListUsers(QString()).isEmpty());
}

TEST_F(AddSenderCommandsTest, JunkAndGroupItems)
{
    EXPECT_TRUE(commands.addToJunkSenders(QStringLiteral("Spam/10.6.6.6")));
    ASSERT_EQ(book.ListGroups(), (QList<GroupEntry> { { QStringLiteral("Junk Senders"), false } }));
    EXPECT_EQ(book.ListUsers(QStringLiteral("Junk Senders")).size(), 1);

    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Zulu")));
    EXPECT_TRUE(commands.addToGroupItem(20001, QStringLiteral("Zed/10.0.0.9")));
    EXPECT_EQ(book.ListUsers(QStringLiteral("Zulu")).size(), 1);
    EXPECT_FALSE(commands.addToGroupItem(20002, QStringLiteral("Zed/10.0.0.9"))) << "no such position";
    EXPECT_FALSE(commands.addToGroupItem(19999, QStringLiteral("Zed/10.0.0.9")));
}

TEST_F(AddSenderCommandsTest, ReplyDestinationsAddressOneStation)
{
    EXPECT_EQ(replyDestination(QStringLiteral("x;mallory@example.org;y/10.0.0.5:u")),
        QStringLiteral("xmallory@example.orgy/10.0.0.5:u"));
    EXPECT_EQ(replyDestination(QStringLiteral("Bob/10.0.0.5")), QStringLiteral("Bob/10.0.0.5"));
    EXPECT_EQ(replyDestination(QStringLiteral("a;b")), QStringLiteral("ab"));
    // The name before the first "/" is filed; the field gets the sender without its ';'.
    EXPECT_EQ(commands.addToTopLevel(QStringLiteral("a/b;c/10.0.0.5")), QStringLiteral("a/bc/10.0.0.5"));
}

} // namespace
} // namespace tq
