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

TEST(MessageListTest, RemovingAFileKeepsTheShownRecordAndItsPosition)
{
    MessageList list;
    for (const char *name : {"a", "b", "c", "d"}) {
        MessageRecord r = record(name);
        r.filePath = QStringLiteral("/m/%1.tqm").arg(QLatin1String(name));
        list.appendNewest(r);
    }
    list.selectNewest();
    list.stepOlder(); // "c", position 3
    EXPECT_FALSE(list.removeFile(QStringLiteral("/m/none.tqm")));
    EXPECT_FALSE(list.removeFile(QString())) << "a record without a file is never taken for one";

    // Older than the shown one: the shown record stays, one place down.
    ASSERT_TRUE(list.removeFile(QStringLiteral("/m/a.tqm")));
    EXPECT_EQ(list.current()->text, "c");
    EXPECT_EQ(list.index(), 2u);
    // Newer: nothing moves.
    ASSERT_TRUE(list.removeFile(QStringLiteral("/m/d.tqm")));
    EXPECT_EQ(list.current()->text, "c");
    EXPECT_EQ(list.index(), 2u);
    // The shown one: its older neighbour takes its place, as with a delete.
    ASSERT_TRUE(list.removeFile(QStringLiteral("/m/c.tqm")));
    EXPECT_EQ(list.current()->text, "b");
    EXPECT_EQ(list.index(), 1u);
    EXPECT_EQ(list.count(), 1u);
    EXPECT_TRUE(list.isConsistent());
}

} // namespace
} // namespace tq
