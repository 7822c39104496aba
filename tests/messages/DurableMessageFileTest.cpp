// Message files appear whole under their final names, never over another file, and what a
// killed writer left behind is never read as a message.
#include "messages/DurableMessageFile.h"
#include "messages/MessageFileWriter.h"
#include "messages/MessageFiles.h"

#include "support/Files.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

const QDateTime kArrival(QDate(2024, 3, 5), QTime(14, 7, 9, 123));

QStringList allEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

TEST(DurableMessageFileTest, ATakenNameIsNeverReplacedAndTheNextMillisecondIsTaken)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u"/"_s;
    ASSERT_TRUE(test::writeFile(folder + u"0305140709123ANN.tqm"_s, "someone else's"));

    std::optional<TemporaryFile> temporary = writeTemporaryFile(folder, "0ANN/10.0.0.1\r\nmine");
    ASSERT_TRUE(temporary);
    EXPECT_EQ(flushToDisk({temporary->fd}), std::vector<bool>{true});
    ASSERT_TRUE(closeTemporaryFile(*temporary, true));
    const PlacedFile placed = placeMessageFile(temporary->path, "ANN", kArrival, folder);
    ASSERT_EQ(placed.outcome, PlacedFile::Outcome::Placed);
    EXPECT_EQ(placed.path, folder + u"0305140709124ANN.tqm"_s);
    EXPECT_EQ(placed.nameTime, kArrival.addMSecs(1));
    EXPECT_EQ(test::readFile(folder + u"0305140709123ANN.tqm"_s), "someone else's");
    EXPECT_EQ(test::readFile(placed.path), "0ANN/10.0.0.1\r\nmine");
    EXPECT_EQ(allEntries(folder), (QStringList{u"0305140709123ANN.tqm"_s, u"0305140709124ANN.tqm"_s}));

    // A name that cannot be a file name: no file, nothing left behind.
    std::optional<TemporaryFile> another = writeTemporaryFile(folder, "0A/B\r\ntext");
    ASSERT_TRUE(another);
    ASSERT_TRUE(closeTemporaryFile(*another, true));
    EXPECT_EQ(placeMessageFile(another->path, "A/B", kArrival, folder).outcome, PlacedFile::Outcome::NoName);
    EXPECT_EQ(allEntries(folder).size(), 2);
}

TEST(DurableMessageFileTest, LeftoverTemporaryFilesAreNotReadAsMessagesAndAreRemoved)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u"/"_s;
    std::optional<TemporaryFile> half = writeTemporaryFile(folder, "0ANN/10.0.0.1\r\nhalf");
    ASSERT_TRUE(half);
    ASSERT_TRUE(closeTemporaryFile(*half, true));
    ASSERT_TRUE(test::writeFile(folder + u"0305140709123ANN.tqm"_s, "0ANN/10.0.0.1\r\nwhole"));
    ASSERT_TRUE(test::writeFile(folder + u"notes.part"_s, "the user's"));
    EXPECT_EQ(ReadStoredMessageFiles(folder).size(), 1u);

    removeLeftoverTemporaryFiles(folder);
    EXPECT_EQ(allEntries(folder), (QStringList{u"0305140709123ANN.tqm"_s, u"notes.part"_s}));
}

TEST(DurableMessageFileTest, TheWriterKeepsTheFileBytesAndNamesAndRunsWhatWaitsForEachFile)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u"/"_s;
    MessageFileWriter writer;
    int keptCount = 0;
    for (int i = 0; i < 3; ++i)
        writer.write(i + 1, '1', "ANN", "ANN/10.0.0.1", "stamp\r\ntext " + QByteArray::number(i), kArrival, folder,
                     [&keptCount] { ++keptCount; });
    writer.write(4, '0', "A/B", "A/B/10.0.0.2", "stamp\r\nno name", kArrival, folder, [&keptCount] { ++keptCount; });
    writer.write(5, '0', "ANN", "ANN/10.0.0.1", "stamp\r\ngone", kArrival, folder + u"missing/"_s,
                 [&keptCount] { ++keptCount; });
    writer.flush();
    std::vector<MessageFileWriter::Result> results = writer.takeResults();
    ASSERT_EQ(results.size(), 5u);
    for (MessageFileWriter::Result &result : results) {
        if (result.kept)
            result.whenKept();
    }
    EXPECT_EQ(keptCount, 4) << "a file the disk refused is not kept";
    EXPECT_FALSE(results[4].kept);
    EXPECT_TRUE(results[3].kept) << "kept in memory: no name can be made";
    EXPECT_FALSE(results[3].path);
    EXPECT_EQ(allEntries(folder),
              (QStringList{u"0305140709123ANN.tqm"_s, u"0305140709124ANN.tqm"_s, u"0305140709125ANN.tqm"_s}));
    EXPECT_EQ(test::readFile(folder + u"0305140709125ANN.tqm"_s), "1ANN/10.0.0.1\r\nstamp\r\ntext 2");
}

} // namespace
} // namespace tq
