#include "addressbook/RefreshAddressBook.h"
#include "addressbook/AddressBookFixture.h"

namespace tq {
namespace {

class RefreshAddressBookTest : public test::AddressBookFixture {
protected:
    static QStringList texts(const DestinationList &list)
    {
        QStringList result;
        for (const DestinationEntry &entry : list.entries())
            result.append(entry.text + QLatin1Char('=') + QString::number(entry.code));
        return result;
    }
};

TEST_F(RefreshAddressBookTest, TopLevelStringsAndLookups)
{
    put(top, "Ann", "10.0.0.1");
    put(top, "Bob", "");
    put(top, "Cy", "10.0.0.3", false);
    put(top, "JoAnn", "10.0.0.4");
    const AddressBookSnapshot snapshot = RefreshAddressBook(book, false).snapshot;

    EXPECT_EQ(snapshot.knownList(), QStringLiteral("Ann/10.0.0.1;Bob;JoAnn/10.0.0.4;"));
    EXPECT_EQ(snapshot.deactivatedList(), QStringLiteral("Cy/;"));
    EXPECT_TRUE(snapshot.IsKnownSender(QStringLiteral("ann")));
    EXPECT_FALSE(snapshot.IsKnownSender(QStringLiteral("Bob"))) << "no host, never known";
    EXPECT_FALSE(snapshot.IsKnownSender(QStringLiteral("Jo"))) << "whole names only";
    EXPECT_FALSE(snapshot.IsKnownSender(QStringLiteral("Cy")));
    EXPECT_TRUE(snapshot.IsDeactivatedSender(QStringLiteral("CY")));
    EXPECT_FALSE(snapshot.IsDeactivatedSender(QString()));
}

TEST_F(RefreshAddressBookTest, GroupsByStorePosition)
{
    put(QStringLiteral("Alpha"), "Al", "10.0.1.1");
    put(QStringLiteral("Alpha"), "Off", "10.0.1.2", false);
    put(QStringLiteral("Junk Senders"), "Spam", "10.6.6.6");
    put(QStringLiteral("Junk Senders"), "Nohost", "");
    put(QStringLiteral("Zulu"), "Zed", "10.0.2.1");
    ASSERT_TRUE(book.MarkGroupDeactivated(QStringLiteral("Junk Senders")));
    const AddressBookRefresh refresh = RefreshAddressBook(book, true);
    const AddressBookSnapshot &snapshot = refresh.snapshot;

    EXPECT_EQ(snapshot.groupMembers(0), QStringLiteral("Al/10.0.1.1;"));
    EXPECT_EQ(snapshot.groupMembers(1), QString()) << "deactivated group";
    EXPECT_EQ(snapshot.groupMembers(2), QStringLiteral("Zed/10.0.2.1;"));
    EXPECT_EQ(snapshot.groupMembers(-1), QString());
    EXPECT_FALSE(snapshot.IsKnownSender(QStringLiteral("Spam")));
    EXPECT_TRUE(snapshot.IsDeactivatedSender(QStringLiteral("spam")));
    EXPECT_TRUE(snapshot.IsDeactivatedSender(QStringLiteral("Off")));
    EXPECT_FALSE(snapshot.IsDeactivatedSender(QStringLiteral("Nohost")));

    // Codes and menu ids count every group; the deactivated junk group is neither offered nor
    // in the menu.
    EXPECT_EQ(texts(refresh.destinations),
              (QStringList{QStringLiteral("< All (broadcast) >=8"), QStringLiteral("< Alpha >=10"),
                           QStringLiteral("< Zulu >=12")}));
    EXPECT_EQ(refresh.senderGroupItems,
              (QList<GroupMenuItem>{{20000, QStringLiteral("Alpha")}, {20002, QStringLiteral("Zulu")}}));
}

} // namespace
} // namespace tq
