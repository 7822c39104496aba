#include "addressbook/AddressBookListRules.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq::addressbook {
namespace {

TEST(AddressBookListRulesTest, OnlyFourGroupsOfOneToThreeDigitsSortAsAnAddress)
{
    EXPECT_EQ(sortKey(QStringLiteral("9.255.255.255")), QByteArray("009.255.255.255"));
    for (const char *text :
         {"1.2.3", "1.2.3.4.5", "1234.1.1.1", "1..2.3", "10.0.0.5:8", "10.0.0.5u", "1.2.3.x", "10.0.0.٣"}) {
        const QString host = QString::fromUtf8(text);
        EXPECT_EQ(sortKey(host), host.toUpper().toUtf8()) << text;
    }
}

TEST(AddressBookListRulesTest, AStoredOrderOutOfRangeFallsBackToTheFirstColumnAscending)
{
    EXPECT_EQ(storedSortOrder(1, 0), (SortOrder{1, false}));
    EXPECT_EQ(storedSortOrder(7, 5), (SortOrder{0, true}));
    EXPECT_EQ(storedSortOrder(-1, 1), (SortOrder{0, true}));
}

} // namespace
} // namespace tq::addressbook
