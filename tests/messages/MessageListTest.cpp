#include "messages/MessageList.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

MessageRecord record(const char *text)
{
    MessageRecord r;
    r.text = text;
    r.sender = QByteArray("host/10.0.0.1");
    return r;
}

// A list holding "1" ... "n", oldest first, showing `shown` (1-based; 0 shows nothing).
void fill(MessageList &list, int n, int shown)
{
    for (int i = 1; i <= n; ++i)
        list.appendNewest(record(QByteArray::number(i).constData()));
    if (shown > 0) {
        list.selectOldest();
        for (int i = 1; i < shown; ++i)
            list.stepNewer();
    }
}

QByteArray shownText(const MessageList &list)
{
    return list.current() ? list.current()->text : QByteArray("<none>");
}

TEST(MessageListTest, EmptyListIgnoresEveryOperation)
{
    MessageList list;
    EXPECT_FALSE(list.stepNewer());
    EXPECT_FALSE(list.stepOlder());
    EXPECT_FALSE(list.removeCurrent());
    EXPECT_FALSE(list.removeOldest());
    list.selectNewest();
    list.clear();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list.index(), 0u);
    EXPECT_EQ(list.current(), nullptr);
    EXPECT_EQ(list.oldest(), nullptr);
    EXPECT_EQ(list.newest(), nullptr);
    EXPECT_TRUE(list.isConsistent());
}

TEST(MessageListTest, SingleRecordIsOldestNewestAndShownAtOne)
{
    MessageList list;
    list.appendNewest(record("only"));
    EXPECT_EQ(list.current(), nullptr) << "appending does not show";
    list.selectNewest();
    EXPECT_EQ(list.oldest(), list.newest());
    EXPECT_EQ(list.current(), list.oldest());
    EXPECT_EQ(list.index(), 1u);
    EXPECT_FALSE(list.hasNewer());
    EXPECT_FALSE(list.hasOlder());
}

TEST(MessageListTest, SteppingMovesThroughArrivalOrderAndStopsAtTheEnds)
{
    MessageList list;
    fill(list, 3, 1);
    EXPECT_FALSE(list.stepOlder());
    EXPECT_EQ(list.index(), 1u);
    EXPECT_TRUE(list.stepNewer());
    EXPECT_TRUE(list.stepNewer());
    EXPECT_EQ(shownText(list), "3");
    EXPECT_EQ(list.index(), 3u);
    EXPECT_FALSE(list.stepNewer());
    EXPECT_EQ(list.index(), 3u);
    EXPECT_TRUE(list.stepOlder());
    EXPECT_EQ(shownText(list), "2");
    EXPECT_TRUE(list.isConsistent());
}

TEST(MessageListTest, RemovingTheShownRecordPrefersTheNewerNeighbour)
{
    struct Case {
        int shown;
        QByteArray nextShown;
        quint32 nextIndex;
    };
    // Middle: the newer one moves into the same place. Newest: the older one, a place lower.
    // Oldest: the newer one at place 1.
    for (const Case &c : { Case { 2, "3", 2 }, Case { 3, "2", 2 }, Case { 1, "2", 1 } }) {
        MessageList list;
        fill(list, 3, c.shown);
        const std::optional<MessageRecord> removed = list.removeCurrent();
        ASSERT_TRUE(removed);
        EXPECT_EQ(removed->text, QByteArray::number(c.shown));
        EXPECT_EQ(shownText(list), c.nextShown) << "shown " << c.shown;
        EXPECT_EQ(list.index(), c.nextIndex) << "shown " << c.shown;
        EXPECT_EQ(list.count(), 2u);
        EXPECT_TRUE(list.isConsistent());
    }
}

TEST(MessageListTest, RemovingTheLastRecordLeavesNothingShown)
{
    MessageList list;
    fill(list, 1, 1);
    list.removeCurrent();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.index(), 0u);
    EXPECT_EQ(list.current(), nullptr);
    EXPECT_EQ(list.newest(), nullptr);
}

TEST(MessageListTest, RemovingTheOldestKeepsTheShownRecordAndItsPosition)
{
    MessageList shownElsewhere;
    fill(shownElsewhere, 3, 3);
    shownElsewhere.removeOldest();
    EXPECT_EQ(shownText(shownElsewhere), "3");
    EXPECT_EQ(shownElsewhere.index(), 2u);
    EXPECT_EQ(shownElsewhere.oldest()->text, "2");
    EXPECT_TRUE(shownElsewhere.isConsistent());

    MessageList shownOldest;
    fill(shownOldest, 3, 1);
    shownOldest.removeOldest();
    EXPECT_EQ(shownText(shownOldest), "2");
    EXPECT_EQ(shownOldest.index(), 1u);
    EXPECT_TRUE(shownOldest.isConsistent());

    MessageList nothingShown;
    fill(nothingShown, 2, 0);
    nothingShown.removeOldest();
    EXPECT_EQ(nothingShown.current(), nullptr);
    EXPECT_EQ(nothingShown.index(), 0u);
}

TEST(MessageListTest, StaysConsistentThroughMixedTrimsDeletesAndAppends)
{
    // The incoming road trims at 100 while the user deletes and pages: the ends and the
    // position must agree after every step.
    MessageList list;
    for (int i = 0; i < 300; ++i) {
        list.appendNewest(record("m"));
        if (i % 3 == 0)
            list.selectNewest();
        if (list.count() > 100)
            list.removeOldest();
        if (i % 7 == 0)
            list.stepOlder();
        if (i % 11 == 0)
            list.removeCurrent();
        ASSERT_TRUE(list.isConsistent()) << "after step " << i;
        ASSERT_LE(list.count(), 100u);
    }
    quint32 walked = 0;
    for (auto it = list.begin(); it != list.end(); ++it)
        ++walked;
    EXPECT_EQ(walked, list.count());
    list.clear();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_TRUE(list.isConsistent());
}

} // namespace
} // namespace tq
