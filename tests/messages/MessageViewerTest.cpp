#include "messages/MessageViewer.h"
#include "messages/MessageFiles.h"
#include "settings/AppDataDir.h"

#include "support/IsolatedHome.h"
#include "support/ManualClock.h"
#include "support/QtPrinters.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tq {
namespace {

class MessageViewerTest : public test::IsolatedHome {
protected:
    test::ManualClock clock;
    MessageViewer viewer{clock};

    // n stored messages, each with its file, the newest shown.
    void receive(int n)
    {
        for (int i = 0; i < n; ++i) {
            const QByteArray text = "stamp\r\nmessage " + QByteArray::number(i);
            MessageRecord record{text, "PC/10.0.0.1", {}, false};
            record.filePath =
                WriteMessageFile('0', "PC", record.sender, text, QDateTime(QDate(2024, 1, 1), QTime(0, 0)).addSecs(i),
                                 AppDataDir::messagesPath())
                    .value_or(QString());
            viewer.messages().appendNewest(record);
        }
        viewer.messages().selectNewest();
    }
};

TEST_F(MessageViewerTest, QuietTimeRunsFromConstructionAndTheLastDeleteEmptiesOnlyAReplaceableComposeBox)
{
    receive(1);
    EXPECT_FALSE(viewer.deleteCurrent(false).removed);
    clock.advance(MessageViewer::kDeleteQuietMs);
    const MessageViewer::Removal outcome = viewer.deleteCurrent(true);
    EXPECT_TRUE(outcome.removed && outcome.listEmptied && outcome.clearCompose && outcome.minimize);

    receive(1);
    viewer.setComposeReplaceable(true);
    viewer.setAutoAnswerMode(true);
    const MessageViewer::Removal inAutoAnswer = viewer.deleteCurrent(false);
    EXPECT_TRUE(inAutoAnswer.listEmptied);
    EXPECT_FALSE(inAutoAnswer.clearCompose) << "the answer text stays";
    EXPECT_FALSE(inAutoAnswer.minimize);
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

    const MessageViewer::Removal outcome = viewer.discardThrough(viewer.messages().newest()->serial, false);
    EXPECT_TRUE(outcome.removed && outcome.listEmptied);
    EXPECT_TRUE(viewer.messages().isEmpty());
    for (const QString &path : inMemory)
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    EXPECT_TRUE(QFile::exists(trimmed));
}

} // namespace
} // namespace tq
