#include "addressbook/DestinationList.h"
#include "addressbook/DestinationCompleter.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

DestinationList sampleList()
{
    DestinationList list;
    list.add({ QStringLiteral("bob/10.0.0.5"), kUserCode });
    list.add({ DestinationList::groupText(QStringLiteral("Friends")), 11 });
    list.add({ QStringLiteral("Bill/10.0.0.7"), kUserCode });
    list.add({ QStringLiteral("Ann"), kUserCode });
    return list;
}

TEST(DestinationListTest, BroadcastFollowsTheSettingInSortedPlace)
{
    DestinationList list = sampleList();
    list.setBroadcastPresent(true);
    list.setBroadcastPresent(true);
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list.at(0).text, QStringLiteral("< All (broadcast) >"));
    EXPECT_EQ(list.at(0).kind(), DestinationKind::Broadcast);
    EXPECT_EQ(list.at(1).kind(), DestinationKind::Group);
    list.setBroadcastPresent(false);
    EXPECT_FALSE(list.hasBroadcast());
    EXPECT_EQ(list.size(), 4);
}

TEST(DestinationListTest, ResolvePrefersTheSelectedEntryOnlyWhenItsTextIsExact)
{
    const DestinationList list = sampleList(); // < Friends >, Ann, Bill/..., bob/...
    EXPECT_EQ(list.resolve(QStringLiteral("B"), -1), 2);
    EXPECT_EQ(list.resolve(QStringLiteral("bob/10.0.0.5"), 3), 3);
    EXPECT_EQ(list.resolve(QStringLiteral("BOB/10.0.0.5"), 3), 3) << "not exact: the first prefix match";
    EXPECT_EQ(list.resolve(QStringLiteral("b"), 3), 2);
    EXPECT_EQ(list.resolve(QStringLiteral("< fr"), -1), 0);
    EXPECT_EQ(list.resolve(QStringLiteral("carl"), 1), -1);
}

TEST(DestinationListTest, TypingCompletesAndBackspaceDoesNot)
{
    const DestinationList list = sampleList();
    DestinationCompleter completer;

    completer.keyPressed(DestinationCompleter::Key::Other);
    auto completion = completer.textEdited(QStringLiteral("bo"), list);
    ASSERT_TRUE(completion);
    EXPECT_EQ(completion->entryIndex, 3);
    EXPECT_EQ(completion->text, QStringLiteral("bob/10.0.0.5"));
    EXPECT_EQ(completion->selectionStart, 2);
    EXPECT_EQ(completion->selectionLength, 10);

    // Backspace removes the selected tail; the field keeps "bo" and does not complete again.
    completer.keyPressed(DestinationCompleter::Key::Backspace);
    EXPECT_FALSE(completer.textEdited(QStringLiteral("bo"), list));
    completer.keyPressed(DestinationCompleter::Key::Delete);
    EXPECT_FALSE(completer.textEdited(QStringLiteral("b"), list));

    completer.keyPressed(DestinationCompleter::Key::Other);
    completion = completer.textEdited(QStringLiteral("Bi"), list);
    ASSERT_TRUE(completion);
    EXPECT_EQ(completion->text, QStringLiteral("Bill/10.0.0.7"));
    EXPECT_FALSE(completer.textEdited(QStringLiteral("Bix"), list)) << "no entry: the typed text stays";
    EXPECT_FALSE(completer.textEdited(QString(), list)) << "an emptied field stays empty";
}

} // namespace
} // namespace tq
