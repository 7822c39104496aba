#include "history/HistoryIndex.h"
#include "history/HistoryQuery.h"

#include "HistoryFolder.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace tq {
namespace {

class HistoryIndexTest : public test::HistoryFolder {
protected:
    QStringList names() const { return fileNamesOf(searchHistory(*index.snapshot(), {})); }

    HistoryIndex index;
};

TEST_F(HistoryIndexTest, TheStartUpReadFeedsTheListAndTheIndexWithTheSameBytes)
{
    std::vector<StoredMessageFile> files = ReadStoredMessageFiles(folder);
    MessageList list;
    ASSERT_EQ(LoadStoredMessages(list, false, files), 6u);
    index.build(files);
    ASSERT_TRUE(test::waitUntil([this] { return !index.isBuilding(); }));
    ASSERT_EQ(index.size(), 6);
    // Both hold the one copy that was read from the disk.
    for (const HistoryEntryPtr &entry : index.snapshot()->entries) {
        const auto inList = std::find_if(list.begin(), list.end(), [&entry](const MessageRecord &record) {
            return record.filePath == entry->record.filePath;
        });
        ASSERT_NE(inList, list.end());
        EXPECT_EQ(inList->text.constData(), entry->record.text.constData());
    }
}

TEST_F(HistoryIndexTest, ArrivalsAndDeletionsAreFollowedAndAnEarlierSnapshotStaysAsItWas)
{
    buildIndex(index);
    QSignalSpy changes(&index, &HistoryIndex::changed);
    const HistoryIndex::Snapshot before = index.snapshot();

    const QDateTime arrival(QDate(2024, 3, 2), QTime(7, 0));
    const std::optional<QString> path = WriteMessageFile(
        '1', "EVE", "EVE/10.0.0.20", "Saturday, 2 March 2024, 07:00:00\r\nfresh news", arrival, folder);
    ASSERT_TRUE(path);
    const MessageRecord arrived{"Saturday, 2 March 2024, 07:00:00\r\nfresh news", "EVE/10.0.0.20", *path, true};
    index.add(arrived);
    index.add(arrived);
    index.add({"stamp\r\nnot stored", "EVE/10.0.0.20", {}, false});
    EXPECT_EQ(names(),
              QStringList({QStringLiteral("0302070000000EVE.tqm"), chloe, bernd, annLunch, zed, annNewYear, dan}));
    EXPECT_EQ(searchHistory(*index.snapshot(), {QStringLiteral("FRESH"), {}, {}, {}}).size(), 1u);

    index.remove(folder + bernd);
    index.remove(folder + QStringLiteral("never-there.tqm"));
    EXPECT_EQ(names(), QStringList({QStringLiteral("0302070000000EVE.tqm"), chloe, annLunch, zed, annNewYear, dan}));
    const HistoryQuery berndsWord{QString::fromUtf8("grüße"), {}, {}, {}};
    EXPECT_TRUE(searchHistory(*index.snapshot(), berndsWord).empty()) << "its words went with it";
    EXPECT_EQ(changes.count(), 2) << "one change for the arrival, one for the deletion";

    // A search that had taken the index before goes on over what it took.
    EXPECT_EQ(fileNamesOf(searchHistory(*before, {})), QStringList({chloe, bernd, annLunch, zed, annNewYear, dan}));
    EXPECT_EQ(fileNamesOf(searchHistory(*before, berndsWord)), QStringList({bernd}));
}

TEST_F(HistoryIndexTest, ChangesWhileTheBuildIsUnderWayAreKept)
{
    // Nothing of the build comes in before the event loop runs, so these all happen while
    // the index is being built.
    index.build(ReadStoredMessageFiles(folder));
    EXPECT_TRUE(index.isBuilding());
    index.remove(folder + bernd);
    // A file the build has too: held once.
    index.add({QByteArray("Friday, 1 March 2024, 08:00:00\r\nx"), "CHLO\xC3\x89/10.0.0.9", folder + chloe, false});
    QSignalSpy finished(&index, &HistoryIndex::buildFinished);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(names(), QStringList({chloe, annLunch, zed, annNewYear, dan}));

    // A second build replaces a first that has not finished.
    index.build(ReadStoredMessageFiles(folder));
    index.build({});
    ASSERT_TRUE(test::waitUntil([this] { return !index.isBuilding(); }));
    EXPECT_EQ(index.size(), 5) << "nothing was merged twice";
    EXPECT_EQ(HistoryIndex::snapshotOf(ReadStoredMessageFiles(folder))->entries.size(), 6u);
}

TEST(HistoryIndexLifetime, AnIndexGoneBeforeItsBuildEndsStopsIt)
{
    std::vector<StoredMessageFile> files(50000, StoredMessageFile{{"stamp\r\ntext", "A/1.2.3.4", {}, false}, 0});
    for (size_t i = 0; i < files.size(); ++i)
        files[i].record.filePath = QStringLiteral("/m/%1.tqm").arg(i);
    {
        HistoryIndex index;
        index.build(std::move(files));
    }
    // What was handed over for the gone index is never delivered to it.
    QCoreApplication::processEvents();
    SUCCEED();
}

} // namespace
} // namespace tq
