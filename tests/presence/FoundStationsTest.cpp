// Filing found stations in the address book on disk: names from host names made safe and
// unique in their group, hosts with their port, and no station filed twice.
#include "presence/FoundStations.h"
#include "addressbook/AddressBookFixture.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::AddressBookFixture;

class FoundStationsTest : public AddressBookFixture {
protected:
    QStringList users(const QString &group) const
    {
        QStringList shown;
        for (const UserEntry &user : book.ListUsers(group))
            shown.append(user.name + QLatin1Char('=') + user.host
                         + (user.active ? QString() : QStringLiteral("(off)")));
        return shown;
    }
    static FoundStation found(const char *address, const char *hostName = "", int port = 7777)
    {
        return {QString::fromLatin1(address), QString::fromLatin1(hostName), port};
    }
};

TEST(FoundStationNames, TheHostNamesFirstPartMadeSafeOrTheAddress)
{
    EXPECT_EQ(stationUserName({QStringLiteral("10.0.0.5"), QStringLiteral("bob-pc.lab.example.org"), 7777}),
              QStringLiteral("bob-pc"));
    EXPECT_EQ(stationUserName({QStringLiteral("10.0.0.5"), QString(), 7777}), QStringLiteral("10.0.0.5"));
    EXPECT_EQ(stationUserName({QStringLiteral("10.0.0.5"), QStringLiteral("a:b|c;d"), 7777}),
              QStringLiteral("a-b-c-d"));
    EXPECT_EQ(stationUserName({QStringLiteral("10.0.0.5"), QString(300, u'x'), 7777}).size(), 254);

    const QStringList taken{QStringLiteral("Bob-PC"), QStringLiteral("bob-pc (2)")};
    EXPECT_EQ(freeUserName(QStringLiteral("bob-pc"), taken), QStringLiteral("bob-pc (3)"));
    EXPECT_EQ(freeUserName(QStringLiteral("ann"), taken), QStringLiteral("ann"));
    QStringList all{QStringLiteral("x")};
    for (int n = 2; n <= 999; ++n)
        all.append(QStringLiteral("x (%1)").arg(n));
    EXPECT_EQ(freeUserName(QStringLiteral("x"), all), QString());
}

TEST_F(FoundStationsTest, StationsBecomeActiveUsersOfTheGroupWithTheirPortWhenItIsNotTheDefault)
{
    const FiledStations filed = fileFoundStations(
        book, QStringLiteral("Lab"),
        {found("10.0.0.5", "bob-pc.lab"), found("10.0.0.6", "", 8000), found("10.0.0.7", "ann")}, 7777);

    EXPECT_EQ(users(QStringLiteral("Lab")),
              (QStringList{QStringLiteral("10.0.0.6=10.0.0.6:8000"), QStringLiteral("ann=10.0.0.7"),
                           QStringLiteral("bob-pc=10.0.0.5")}));
    EXPECT_EQ(book.ListGroups(), (QList<GroupEntry>{{QStringLiteral("Lab"), true}})) << "the group is made";
    EXPECT_EQ(filed.added.size(), 3);
    EXPECT_TRUE(filed.alreadyThere.isEmpty());

    fileFoundStations(book, top, {found("10.0.0.9")}, 7777);
    EXPECT_EQ(users(top), QStringList{QStringLiteral("10.0.0.9=10.0.0.9")});
}

TEST_F(FoundStationsTest, AStationSomeUserHasAlreadyIsNotFiledTwice)
{
    put(top, "Bob", "10.0.0.5");
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Old")));
    put(QStringLiteral("Old"), "Ann", "ANN-PC", false); // by its host name, and deactivated
    put(QStringLiteral("Old"), "Cid", "10.0.0.8:u"); // over UDP, the same machine
    put(top, "Dee", "10.0.0.9:8000"); // another port: another station

    const FiledStations filed = fileFoundStations(
        book, QStringLiteral("Old"),
        {found("10.0.0.5", "x"), found("10.0.0.7", "ann-pc.lab"), found("10.0.0.8"), found("10.0.0.9", "dee-pc")},
        7777);

    EXPECT_EQ(filed.added, (QList<FiledStations::User>{{QStringLiteral("dee-pc"), QStringLiteral("10.0.0.9")}}));
    EXPECT_EQ(filed.alreadyThere,
              (QStringList{QStringLiteral("Bob (10.0.0.5)"), QStringLiteral("Ann (ANN-PC)"),
                           QStringLiteral("Cid (10.0.0.8:u)")}));
    EXPECT_EQ(users(QStringLiteral("Old")),
              (QStringList{QStringLiteral("Ann=ANN-PC(off)"), QStringLiteral("Cid=10.0.0.8:u"),
                           QStringLiteral("dee-pc=10.0.0.9")}));

    // Filing the same again changes nothing.
    const FiledStations again = fileFoundStations(book, QStringLiteral("Old"), {found("10.0.0.9", "dee-pc")}, 7777);
    EXPECT_TRUE(again.added.isEmpty());
    EXPECT_EQ(users(QStringLiteral("Old")).size(), 3);
}

TEST_F(FoundStationsTest, ANameTakenInTheGroupGetsANumberAndNoUserIsReplaced)
{
    put(QStringLiteral("Lab"), "bob-pc", "10.1.1.1");
    const FiledStations filed = fileFoundStations(
        book, QStringLiteral("lab"), {found("10.0.0.5", "bob-pc.lab"), found("10.0.0.6", "BOB-PC.other")}, 7777);

    EXPECT_EQ(users(QStringLiteral("Lab")),
              (QStringList{QStringLiteral("bob-pc=10.1.1.1"), QStringLiteral("bob-pc (2)=10.0.0.5"),
                           QStringLiteral("BOB-PC (3)=10.0.0.6")}));
    EXPECT_EQ(book.ListGroups().size(), 1) << "\"lab\" is the group Lab";
    EXPECT_EQ(filed.added.size(), 2);
}

} // namespace
} // namespace tq
