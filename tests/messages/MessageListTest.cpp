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

TEST(MessageListTest, EmptyListIgnoresEveryOperation)
{
    MessageList list;
    EXPECT_FALSE(list.stepNewer() || list.stepOlder() || list.removeCurrent() || list.removeOldest());
    list.selectNewest();
    EXPECT_EQ(list.index(), 0u);
    EXPECT_EQ(list.current(), nullptr);
    EXPECT_TRUE(list.isConsistent());
}

TEST(MessageListTest, RemovingTheOldestWithNothingShownShowsNothing)
{
    MessageList list;
    list.appendNewest(record("1"));
    list.appendNewest(record("2"));
    list.removeOldest();
    EXPECT_EQ(list.current(), nullptr);
    EXPECT_EQ(list.index(), 0u);
    EXPECT_EQ(list.oldest()->text, "2");
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
