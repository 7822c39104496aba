#include "addressbook/DestinationList.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

TEST(DestinationListTest, ResolvePrefersTheSelectedEntryOnlyWhenItsTextIsExact)
{
    DestinationList list;
    list.add({QStringLiteral("bob/10.0.0.5"), kUserCode});
    list.add({DestinationList::groupText(QStringLiteral("Friends")), 11});
    list.add({QStringLiteral("Bill/10.0.0.7"), kUserCode});
    list.add({QStringLiteral("Ann"), kUserCode});
    // Sorted: < Friends >, Ann, Bill/..., bob/...
    EXPECT_EQ(list.resolve(QStringLiteral("B"), -1), 2);
    EXPECT_EQ(list.resolve(QStringLiteral("bob/10.0.0.5"), 3), 3);
    EXPECT_EQ(list.resolve(QStringLiteral("BOB/10.0.0.5"), 3), 3) << "not exact: the first prefix match";
    EXPECT_EQ(list.resolve(QStringLiteral("b"), 3), 2);
    EXPECT_EQ(list.resolve(QStringLiteral("< fr"), -1), 0);
    EXPECT_EQ(list.resolve(QStringLiteral("carl"), 1), -1);
}

// The kind the destination field shows is the kind of what a send of its text goes to.
TEST(DestinationListTest, TheKindOfAFieldTextFollowsWhatItSendsTo)
{
    DestinationList list;
    list.add({DestinationList::broadcastText(), kBroadcastCode});
    list.add({DestinationList::allUsersText(), kAllUsersCode});
    list.add({DestinationList::groupText(QStringLiteral("Friends")), 10});
    list.add({QStringLiteral("Ann/10.0.0.1"), kUserCode});
    using K = DestinationKind;
    EXPECT_EQ(list.kindOf(QStringLiteral("  "), -1), std::nullopt);
    EXPECT_EQ(list.kindOf(QStringLiteral(" < All users >"), -1), K::AllUsers);
    EXPECT_EQ(list.kindOf(QStringLiteral("< All users"), -1), K::User) << "sent to the text as typed";
    EXPECT_EQ(list.kindOf(QStringLiteral("< All (broadcast) >"), -1), K::Broadcast);
    EXPECT_EQ(list.kindOf(QStringLiteral("< fr"), -1), K::Group) << "a group also by its beginning";
    EXPECT_EQ(list.kindOf(QStringLiteral("an"), -1), K::User);
    EXPECT_EQ(list.kindOf(QStringLiteral("10.0.0.9;x@y.example"), 2), K::User) << "whatever was picked before";
}

} // namespace
} // namespace tq
