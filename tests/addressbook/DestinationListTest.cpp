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

} // namespace
} // namespace tq
