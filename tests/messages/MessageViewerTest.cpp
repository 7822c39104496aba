#include "messages/MessageViewer.h"
#include "messages/MessageFiles.h"

#include "support/IsolatedHome.h"
#include "support/ManualClock.h"
#include "support/QtPrinters.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tq {
namespace {

TEST(CounterTextsTest, TitleTrayAndPositionFollowTheCount)
{
    const CounterTexts none = counterTexts(0, 0);
    EXPECT_EQ(none.title, QStringLiteral("Tarquel Messenger v2.1"));
    EXPECT_EQ(none.trayIconName, QStringLiteral("IDI_AMAINFRAME"));
    EXPECT_EQ(none.trayTip, QStringLiteral("Tarquel Messenger. Listening..."));
    EXPECT_EQ(none.position, QStringLiteral("0/0"));

    const CounterTexts one = counterTexts(1, 1);
    EXPECT_EQ(one.title, QStringLiteral("Tarquel Messenger [ 1 message ]"));
    EXPECT_EQ(one.trayIconName, QStringLiteral("IDI_ICON1"));
    EXPECT_EQ(one.trayTip, one.title);
    EXPECT_EQ(one.position, QStringLiteral("1/1"));

    EXPECT_EQ(counterTexts(11, 4).trayIconName, QStringLiteral("IDI_ICON11"));
    const CounterTexts twelve = counterTexts(12, 5);
    EXPECT_EQ(twelve.title, QStringLiteral("Tarquel Messenger [ 12 messages ]"));
    EXPECT_EQ(twelve.trayIconName, QStringLiteral("IDI_ICON11"));
    EXPECT_EQ(twelve.position, QStringLiteral("5/12"));
    EXPECT_EQ(counterTexts(2, 2).trayIconName, QStringLiteral("IDI_ICON2"));
}

TEST(ViewCommandStatesTest, NavigationAndEditCommandsFollowTheirRules)
{
    const EditTarget none;
    const ViewCommandStates empty = viewCommandStates(0, 0, none, true);
    EXPECT_FALSE(empty.previous || empty.next || empty.deleteMessage || empty.discardAll || empty.addSender);
    EXPECT_FALSE(empty.undo || empty.cut || empty.copy || empty.paste || empty.selectAll) << "no edit has the focus";

    const ViewCommandStates first = viewCommandStates(3, 1, none, false);
    EXPECT_FALSE(first.previous);
    EXPECT_TRUE(first.next && first.deleteMessage && first.discardAll && first.addSender);
    const ViewCommandStates last = viewCommandStates(3, 3, none, false);
    EXPECT_TRUE(last.previous);
    EXPECT_FALSE(last.next);

    EditTarget readOnlyPane { true, true, true, false, true };
    const ViewCommandStates pane = viewCommandStates(1, 1, readOnlyPane, true);
    EXPECT_TRUE(pane.copy && pane.selectAll);
    EXPECT_FALSE(pane.cut || pane.paste || pane.undo);

    EditTarget compose { true, false, false, true, true };
    const ViewCommandStates noSelection = viewCommandStates(0, 0, compose, true);
    EXPECT_TRUE(noSelection.paste && noSelection.undo && noSelection.selectAll);
    EXPECT_FALSE(noSelection.cut || noSelection.copy);
    EXPECT_FALSE(viewCommandStates(0, 0, compose, false).paste) << "nothing to paste";
    EXPECT_FALSE(viewCommandStates(0, 0, EditTarget { true, false, false, false, false }, true).selectAll);
}

class MessageViewerTest : public test::IsolatedHome {
protected:
    test::ManualClock clock;
    MessageViewer viewer { clock };

    // n stored messages, each with its file, the newest shown.
    void receive(int n)
    {
        for (int i = 0; i < n; ++i) {
            const QByteArray text = "stamp\r\nmessage " + QByteArray::number(i);
            MessageRecord record;
            record.text = text;
            record.sender = "PC/10.0.0.1";
            record.filePath
                = WriteMessageFile('0', "PC", record.sender, text, QDateTime(QDate(2024, 1, 1), QTime(0, 0)).addSecs(i))
                      .value_or(QString());
            viewer.messages().appendNewest(record);
        }
        viewer.messages().selectNewest();
    }
};

TEST_F(MessageViewerTest, DeleteWithinTwoSecondsOfAnArrivalIsRefused)
{
    receive(2);
    viewer.markArrival();
    clock.advance(MessageViewer::kDeleteQuietMs - 1);
    EXPECT_FALSE(viewer.deleteCurrent(false).removed);
    EXPECT_EQ(viewer.messages().count(), 2u);
    EXPECT_TRUE(QFile::exists(viewer.messages().current()->filePath));

    clock.advance(1);
    const QString path = viewer.messages().current()->filePath;
    EXPECT_TRUE(viewer.deleteCurrent(false).removed);
    EXPECT_EQ(viewer.messages().count(), 1u);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(MessageViewerTest, TheQuietTimeAlsoRunsFromConstruction)
{
    receive(1);
    EXPECT_FALSE(viewer.deleteCurrent(false).removed);
    clock.advance(MessageViewer::kDeleteQuietMs);
    EXPECT_TRUE(viewer.deleteCurrent(false).removed);
}

TEST_F(MessageViewerTest, DeletingTheLastMessageEmptiesAndMinimisesWhenAsked)
{
    receive(1);
    clock.advance(5000);
    const MessageViewer::Removal outcome = viewer.deleteCurrent(true);
    EXPECT_TRUE(outcome.removed && outcome.listEmptied && outcome.clearCompose && outcome.minimize);

    receive(1);
    viewer.setComposeReplaceable(false);
    const MessageViewer::Removal keepText = viewer.deleteCurrent(false);
    EXPECT_TRUE(keepText.listEmptied);
    EXPECT_FALSE(keepText.clearCompose) << "the user's own text stays";
    EXPECT_FALSE(keepText.minimize);

    receive(1);
    viewer.setComposeReplaceable(true);
    viewer.setAutoAnswerMode(true);
    EXPECT_FALSE(viewer.deleteCurrent(false).clearCompose) << "the answer text stays";
}

TEST_F(MessageViewerTest, DeletingWithNothingShownDoesNothing)
{
    clock.advance(5000);
    EXPECT_FALSE(viewer.deleteCurrent(true).removed);
}

TEST_F(MessageViewerTest, DiscardAllRemovesEveryFileInMemoryWithoutQuietTime)
{
    // A file that was trimmed from memory earlier stays for the next start.
    receive(3);
    const QString trimmed = viewer.messages().oldest()->filePath;
    viewer.messages().removeOldest();
    QStringList inMemory;
    for (const MessageRecord &record : viewer.messages())
        inMemory.append(record.filePath);
    viewer.markArrival();

    const MessageViewer::Removal outcome = viewer.discardAll(false);
    EXPECT_TRUE(outcome.removed && outcome.listEmptied);
    EXPECT_TRUE(viewer.messages().isEmpty());
    for (const QString &path : inMemory)
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    EXPECT_TRUE(QFile::exists(trimmed));
}

TEST_F(MessageViewerTest, ComposeIsReplaceableWhileItHoldsOnlyWhiteSpace)
{
    viewer.composeEditedByUser(QStringLiteral(" \t\r\n\v\f"));
    EXPECT_TRUE(viewer.composeReplaceable());
    viewer.composeEditedByUser(QStringLiteral("\n  hello"));
    EXPECT_FALSE(viewer.composeReplaceable());
    viewer.composeEditedByUser(QString());
    EXPECT_TRUE(viewer.composeReplaceable());
}

} // namespace
} // namespace tq
