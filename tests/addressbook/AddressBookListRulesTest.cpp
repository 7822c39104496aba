#include "addressbook/AddressBookListRules.h"
#include "addressbook/AddressBookNames.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tq::addressbook {
namespace {

QStringList sortedByKey(QStringList texts)
{
    std::stable_sort(texts.begin(), texts.end(),
                     [](const QString &a, const QString &b) { return sortKey(a) < sortKey(b); });
    return texts;
}

TEST(AddressBookListRulesTest, DottedAddressesSortByValueAndEverythingElseByUpperCaseText)
{
    EXPECT_EQ(sortKey(QStringLiteral("10.0.0.5")), QByteArray("010.000.000.005"));
    EXPECT_EQ(sortKey(QStringLiteral("bob")), QByteArray("BOB"));
    EXPECT_EQ(sortedByKey({QStringLiteral("alpha"), QStringLiteral("10.0.0.10"), QStringLiteral("10.0.0.9"),
                           QStringLiteral("9.255.255.255"), QStringLiteral("Zed"), QStringLiteral("beta")}),
              (QStringList{QStringLiteral("9.255.255.255"), QStringLiteral("10.0.0.9"), QStringLiteral("10.0.0.10"),
                           QStringLiteral("alpha"), QStringLiteral("beta"), QStringLiteral("Zed")}));

    // Not four groups of one to three digits, or not 7 to 15 characters: taken as text.
    for (const char *text :
         {"1.2.3", "1.2.3.4.5", "1234.1.1.1", "1..2.3", "10.0.0.5:8", "10.0.0.5u", "1.2.3.x", "10.0.0.٣"}) {
        const QString host = QString::fromUtf8(text);
        EXPECT_EQ(sortKey(host), host.toUpper().toUtf8()) << text;
    }
}

TEST(AddressBookListRulesTest, HeaderClicksAndTheStoredOrder)
{
    EXPECT_EQ(afterHeaderClick({0, true}, 0), (SortOrder{0, false}));
    EXPECT_EQ(afterHeaderClick({0, false}, 0), (SortOrder{0, true}));
    EXPECT_EQ(afterHeaderClick({0, false}, 1), (SortOrder{1, true}));
    EXPECT_EQ(storedSortOrder(1, 0), (SortOrder{1, false}));
    EXPECT_EQ(storedSortOrder(7, 5), (SortOrder{0, true}));
    EXPECT_EQ(storedSortOrder(-1, 1), (SortOrder{0, true}));
}

TEST(AddressBookListRulesTest, TitlesLevelsAndToggledRows)
{
    EXPECT_EQ(dialogTitle(true, 2, 5), QStringLiteral("Address Book [2 Groups, 5 Users]"));
    EXPECT_EQ(dialogTitle(true, 0, 5), QStringLiteral("Address Book [5 Users]"));
    EXPECT_EQ(dialogTitle(false, 2, 3), QStringLiteral("Address Book [3 Users]"));

    EXPECT_EQ(levelListNames({QStringLiteral("work"), QStringLiteral("Alpha"), QStringLiteral("Pals")}),
              (QStringList{QStringLiteral("Alpha"), topLevelName(), QStringLiteral("Pals"), QStringLiteral("work")}));
    EXPECT_TRUE(sameLevel(QString(), topLevelName()));
    EXPECT_TRUE(sameLevel(QStringLiteral("work"), QStringLiteral("Work")));
    EXPECT_FALSE(sameLevel(QStringLiteral("Work"), topLevelName()));

    EXPECT_EQ(rowsToToggle(4, {}), QList<int>{4});
    EXPECT_EQ(rowsToToggle(4, {1}), QList<int>{4}) << "one selected row elsewhere: the clicked row only";
    EXPECT_EQ(rowsToToggle(4, {3, 1}), (QList<int>{1, 3})) << "several selected: those, even when not clicked";
}

} // namespace
} // namespace tq::addressbook
