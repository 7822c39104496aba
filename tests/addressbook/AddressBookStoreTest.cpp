#include "addressbook/AddressBookFixture.h"
#include "settings/AppDataDir.h"
#include "support/Files.h"

#include <QFile>

namespace tq {
namespace {

const QString kDisabled = QStringLiteral("DisableGroup");

class AddressBookStoreTest : public test::AddressBookFixture {
protected:
    QStringList groupNames() const
    {
        QStringList names;
        for (const GroupEntry &group : book.ListGroups())
            names.append(group.name + (group.active ? QString() : QStringLiteral("(off)")));
        return names;
    }

    const QString friends = QStringLiteral("Friends");
};

TEST_F(AddressBookStoreTest, UsersAreFlaggedValuesAndChangingStateRenamesThem)
{
    ASSERT_TRUE(settings.WriteProfileString(kBook, QStringLiteral("0Bob"), QStringLiteral("10.0.0.5")));
    EXPECT_EQ(book.ListUsers(top), (QList<UserEntry>{{QStringLiteral("Bob"), QStringLiteral("10.0.0.5"), false}}));

    ASSERT_TRUE(book.SetUserActive(top, QStringLiteral("Bob"), QStringLiteral("10.0.0.5"), false));
    EXPECT_EQ(raw(kBook), QStringList{QStringLiteral("1Bob=10.0.0.5")});

    // Putting Bob into a group that holds a deactivated bob replaces it, active, with the new host.
    ASSERT_TRUE(
        settings.WriteProfileString(kBook + QStringLiteral("\\Friends"), QStringLiteral("0bob"), QStringLiteral("x")));
    ASSERT_TRUE(book.PutUser(friends, QStringLiteral("Bob"), QStringLiteral("10.0.0.9:u")));
    EXPECT_EQ(raw(kBook + QStringLiteral("\\Friends")), QStringList{QStringLiteral("1Bob=10.0.0.9:u")});

    ASSERT_TRUE(book.PutUserKeepState(friends, QStringLiteral("Cy"), QStringLiteral("c"), false));
    ASSERT_TRUE(book.RemoveUser(friends, QStringLiteral("Bob"), true));
    EXPECT_EQ(raw(kBook + QStringLiteral("\\friends")), QStringList{QStringLiteral("0Cy=c")});
}

TEST_F(AddressBookStoreTest, FindUserFlagPrefersTheDeactivatedValueAndIgnoresEmptyHosts)
{
    EXPECT_EQ(book.FindUserFlag(top, QStringLiteral("Bob")), std::nullopt);
    ASSERT_TRUE(settings.WriteProfileString(kBook, QStringLiteral("1Bob"), QStringLiteral("a")));
    EXPECT_EQ(book.FindUserFlag(top, QStringLiteral("BOB")), std::optional<bool>(true));
    ASSERT_TRUE(settings.WriteProfileString(kBook, QStringLiteral("0Bob"), QStringLiteral("b")));
    EXPECT_EQ(book.FindUserFlag(top, QStringLiteral("bob")), std::optional<bool>(false));
    ASSERT_TRUE(settings.WriteProfileString(kBook, QStringLiteral("1Ann"), QString()));
    EXPECT_EQ(book.FindUserFlag(top, QStringLiteral("Ann")), std::nullopt);
}

TEST_F(AddressBookStoreTest, GroupActivationMatchesWholeNamesAndFollowsARename)
{
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Group1")));
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("My Group1")));
    ASSERT_TRUE(book.PutUser(QStringLiteral("My Group1"), QStringLiteral("Ann"), QStringLiteral("10.0.0.1")));
    ASSERT_TRUE(book.SetGroupActive(QStringLiteral("My Group1"), false));
    EXPECT_EQ(settings.GetProfileInt(kDisabled, QStringLiteral("My Group1"), -1), 0);
    EXPECT_EQ(groupNames(), (QStringList{QStringLiteral("Group1"), QStringLiteral("My Group1(off)")}));

    ASSERT_EQ(book.RenameGroup(QStringLiteral("My Group1"), QStringLiteral("Quiet")),
              AddressBookStore::RenameResult::Renamed);
    EXPECT_EQ(groupNames(), (QStringList{QStringLiteral("Group1"), QStringLiteral("Quiet(off)")}));
    EXPECT_EQ(raw(kDisabled), QStringList{QStringLiteral("Quiet=0")});
    EXPECT_EQ(book.ListUsers(QStringLiteral("Quiet")).size(), 1);

    ASSERT_TRUE(book.SetGroupActive(QStringLiteral("QUIET"), true));
    EXPECT_TRUE(raw(kDisabled).isEmpty());
}

TEST_F(AddressBookStoreTest, EmptyGroupsSurviveRenamesAndLosingTheirLastUser)
{
    ASSERT_TRUE(book.CreateGroup(friends));
    ASSERT_EQ(book.RenameGroup(friends, QStringLiteral("Pals")), AddressBookStore::RenameResult::Renamed);
    EXPECT_EQ(groupNames(), QStringList{QStringLiteral("Pals")});

    ASSERT_TRUE(book.PutUser(QStringLiteral("Pals"), QStringLiteral("Ann"), QStringLiteral("a")));
    ASSERT_TRUE(book.RemoveUser(QStringLiteral("Pals"), QStringLiteral("Ann"), true));
    EXPECT_EQ(groupNames(), QStringList{QStringLiteral("Pals")});
    // Removing what is not there creates nothing.
    ASSERT_TRUE(book.RemoveUser(QStringLiteral("Ghosts"), QStringLiteral("Ann"), true));
    EXPECT_EQ(groupNames(), QStringList{QStringLiteral("Pals")});
}

TEST_F(AddressBookStoreTest, RenameRules)
{
    using R = AddressBookStore::RenameResult;
    ASSERT_TRUE(book.PutUser(friends, QStringLiteral("Ann"), QStringLiteral("10.0.0.1")));
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Work")));
    ASSERT_TRUE(book.PutUser(top, friends, QStringLiteral("f"))); // a user may share a group's name

    // Only the letter case changes: the users must not be lost on the way.
    EXPECT_EQ(book.RenameGroup(friends, QStringLiteral("FRIENDS")), R::Renamed);
    EXPECT_EQ(groupNames(), (QStringList{QStringLiteral("FRIENDS"), QStringLiteral("Work")}));
    EXPECT_EQ(book.ListUsers(friends).size(), 1);

    EXPECT_EQ(book.RenameGroup(QStringLiteral("Work"), QStringLiteral("friends")), R::NameTaken);
    EXPECT_EQ(book.RenameGroup(QStringLiteral("Work"), QStringLiteral("a:b")), R::ForbiddenCharacter);
    EXPECT_EQ(book.RenameGroup(QStringLiteral("Work"), QString()), R::Unchanged);
    EXPECT_EQ(groupNames(), (QStringList{QStringLiteral("FRIENDS"), QStringLiteral("Work")}));

    ASSERT_TRUE(book.PutUserKeepState(top, QStringLiteral("Bob"), QStringLiteral("10.0.0.5"), false));
    EXPECT_EQ(book.RenameUser(top, QStringLiteral("Bob"), false, QStringLiteral("bob")), R::Renamed);
    EXPECT_EQ(book.RenameUser(top, QStringLiteral("bob"), false, QStringLiteral("FRIENDS")), R::NameTaken);
    EXPECT_EQ(book.RenameUser(top, QStringLiteral("bob"), false, QStringLiteral("Robert")), R::Renamed);
    EXPECT_EQ(raw(kBook), (QStringList{QStringLiteral("0Robert=10.0.0.5"), QStringLiteral("1Friends=f")}));
}

TEST_F(AddressBookStoreTest, ARefusedModifyTakesNothingOut)
{
    ASSERT_TRUE(book.PutUser(friends, QStringLiteral("Bob"), QStringLiteral("b")));
    EXPECT_FALSE(
        book.ModifyUser(friends, QStringLiteral("Bob"), true, top, QStringLiteral("a/b"), QStringLiteral("x")));
    EXPECT_FALSE(book.ModifyUser(friends, QStringLiteral("Bob"), true, top, QString(), QStringLiteral("x")));
    EXPECT_EQ(raw(kBook + QStringLiteral("\\Friends")), QStringList{QStringLiteral("1Bob=b")});
}

TEST_F(AddressBookStoreTest, DeletingAGroupTakesItsUsersStateAndTemplateFile)
{
    ASSERT_TRUE(book.PutUser(friends, QStringLiteral("Ann"), QStringLiteral("a")));
    ASSERT_TRUE(book.SetGroupActive(friends, false));
    ASSERT_TRUE(book.PutUser(top, QStringLiteral("Bob"), QStringLiteral("b")));
    const QString file = AppDataDir::path() + QStringLiteral("Friends.tqm");
    ASSERT_TRUE(test::writeFile(file, {}));

    EXPECT_FALSE(book.DeleteGroup(top)) << "the top level is no group";
    EXPECT_TRUE(book.DeleteGroup(QStringLiteral("friends")));
    EXPECT_TRUE(groupNames().isEmpty());
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(raw(kDisabled).isEmpty());
    EXPECT_EQ(raw(kBook), QStringList{QStringLiteral("1Bob=b")});
}

// The user Bob is the value "1Bob" beside the group "1Bob"; the deactivated user Cy is the value
// "0Cy" beside the group "0Cy". Each operation must touch its own entry only.
TEST_F(AddressBookStoreTest, AUserAndAGroupSharingAStoredNameLeaveEachOtherAlone)
{
    const QString bobGroup = QStringLiteral("1Bob");
    const QString cyGroup = QStringLiteral("0Cy");
    const QList<UserEntry> bobGroupUsers{{QStringLiteral("Al"), QStringLiteral("10.0.1.1"), true},
                                         {QStringLiteral("Di"), QStringLiteral("10.0.1.4"), false}};
    put(top, "Bob", "10.0.0.5");
    put(top, "Cy", "10.0.0.3", false);
    put(bobGroup, "Al", "10.0.1.1");
    put(bobGroup, "Di", "10.0.1.4", false);
    put(cyGroup, "Ed", "10.0.2.5");
    ASSERT_TRUE(book.SetGroupActive(cyGroup, false));
    const auto groupsAreWhole = [&] {
        EXPECT_EQ(groupNames(), (QStringList{QStringLiteral("0Cy(off)"), bobGroup}));
        EXPECT_EQ(book.ListUsers(bobGroup), bobGroupUsers);
        EXPECT_EQ(raw(kBook + QStringLiteral("\\0Cy")), QStringList{QStringLiteral("1Ed=10.0.2.5")});
    };

    ASSERT_TRUE(book.SetUserActive(top, QStringLiteral("Bob"), QStringLiteral("10.0.0.5"), true));
    EXPECT_EQ(raw(kBook), (QStringList{QStringLiteral("0Bob=10.0.0.5"), QStringLiteral("0Cy=10.0.0.3")}));
    groupsAreWhole();
    ASSERT_TRUE(book.SetUserActive(top, QStringLiteral("Bob"), QStringLiteral("10.0.0.5"), false));
    ASSERT_TRUE(book.PutUser(top, QStringLiteral("bob"), QStringLiteral("10.0.0.6")));
    groupsAreWhole();
    ASSERT_TRUE(book.RemoveUser(top, QStringLiteral("Bob"), true));
    EXPECT_EQ(raw(kBook), QStringList{QStringLiteral("0Cy=10.0.0.3")});
    groupsAreWhole();

    put(top, "Bob", "10.0.0.5");
    ASSERT_TRUE(book.DeleteGroup(cyGroup));
    EXPECT_EQ(groupNames(), QStringList{bobGroup});
    EXPECT_TRUE(raw(kDisabled).isEmpty());
    ASSERT_EQ(book.RenameGroup(bobGroup, QStringLiteral("Pals")), AddressBookStore::RenameResult::Renamed);
    EXPECT_EQ(book.ListUsers(QStringLiteral("Pals")), bobGroupUsers);
    ASSERT_EQ(book.RenameGroup(QStringLiteral("Pals"), bobGroup), AddressBookStore::RenameResult::Renamed);
    ASSERT_TRUE(book.DeleteGroup(bobGroup));
    EXPECT_TRUE(groupNames().isEmpty());
    EXPECT_EQ(raw(kBook), (QStringList{QStringLiteral("0Cy=10.0.0.3"), QStringLiteral("1Bob=10.0.0.5")}));
}

TEST_F(AddressBookStoreTest, NamesWithForbiddenCharactersAreNeverWritten)
{
    EXPECT_FALSE(book.CreateGroup(QStringLiteral("a/b")));
    EXPECT_FALSE(book.CreateGroup(top));
    EXPECT_FALSE(book.PutUser(top, QStringLiteral("x;y"), QStringLiteral("h")));
    EXPECT_FALSE(book.PutUser(QStringLiteral("..\\x"), QStringLiteral("Ann"), QStringLiteral("h")));
    EXPECT_FALSE(book.PutUser(top, QString(), QStringLiteral("h")));
    EXPECT_FALSE(QFile::exists(settings.filePath())) << "nothing may have been written";
}

TEST_F(AddressBookStoreTest, NoDefaultGroupNameWhenAllAreTaken)
{
    QStringList taken{QStringLiteral("My Group")};
    for (int n = 1; n <= 1023; ++n)
        taken.append(QStringLiteral("MY GROUP%1").arg(n));
    EXPECT_EQ(addressbook::defaultGroupName(taken), std::nullopt);
    taken.removeAt(500);
    EXPECT_EQ(addressbook::defaultGroupName(taken), QStringLiteral("My Group500"));
}

} // namespace
} // namespace tq
