#include "addressbook/AddSenderCommands.h"
#include "addressbook/AddressBookFixture.h"
#include "support/RecordingPrompter.h"
#include "support/RecordingSoundPlayer.h"

namespace tq {
namespace {

class AddSenderCommandsTest : public test::AddressBookFixture {
protected:
    test::RecordingPrompter prompter;
    test::RecordingSoundPlayer sound;
    AddSenderCommands commands{book, prompter, sound};
    const QString friends = QStringLiteral("Friends");
};

TEST_F(AddSenderCommandsTest, AnExistingUserIsReplacedOnlyOnYesAndKeepsItsState)
{
    ASSERT_TRUE(book.PutUserKeepState(friends, QStringLiteral("bob"), QStringLiteral("10.0.0.1"), false));
    prompter.answers = {Prompter::Answer::No, Prompter::Answer::Yes};
    EXPECT_TRUE(commands.AddSenderToGroup(QStringLiteral("Bob/10.0.0.5:u"), friends));
    EXPECT_EQ(book.ListUsers(friends).value(0).host, QStringLiteral("10.0.0.1"));
    EXPECT_TRUE(commands.AddSenderToGroup(QStringLiteral("Bob/10.0.0.5:u"), friends));
    EXPECT_EQ(book.ListUsers(friends),
              (QList<UserEntry>{{QStringLiteral("Bob"), QStringLiteral("10.0.0.5:u"), false}}));
    EXPECT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(sound.played.size(), 2) << "the sound follows either answer";
}

TEST_F(AddSenderCommandsTest, ASenderWithoutANameIsRefusedWithASound)
{
    EXPECT_FALSE(commands.addToTopLevel(QStringLiteral("/10.0.0.5")));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(sound.played, QStringList{QStringLiteral("SystemQuestion")});
    EXPECT_TRUE(book.ListUsers(QString()).isEmpty());
}

TEST_F(AddSenderCommandsTest, JunkAndGroupItemsByStorePosition)
{
    EXPECT_TRUE(commands.addToJunkSenders(QStringLiteral("Spam/10.6.6.6")));
    ASSERT_EQ(book.ListGroups(), (QList<GroupEntry>{{QStringLiteral("Junk Senders"), false}}));
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Zulu")));
    EXPECT_TRUE(commands.addToGroupItem(20001, QStringLiteral("Zed/10.0.0.9")));
    EXPECT_EQ(book.ListUsers(QStringLiteral("Zulu")).size(), 1);
    EXPECT_FALSE(commands.addToGroupItem(20002, QStringLiteral("Zed/10.0.0.9"))) << "no such position";
    EXPECT_FALSE(commands.addToGroupItem(19999, QStringLiteral("Zed/10.0.0.9")));
}

TEST_F(AddSenderCommandsTest, TheNameBeforeTheFirstSlashIsFiled)
{
    // The name before the first "/" is filed; the field gets the sender without its ';'.
    EXPECT_EQ(commands.addToTopLevel(QStringLiteral("a/b;c/10.0.0.5")), QStringLiteral("a/bc/10.0.0.5"));
    EXPECT_EQ(book.ListUsers(QString()).value(0).name, QStringLiteral("a"));
}

} // namespace
} // namespace tq
