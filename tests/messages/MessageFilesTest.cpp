#include "messages/MessageFiles.h"

#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tq {
namespace {

class MessageFilesTest : public test::IsolatedHome {
protected:
    const QString folder = AppDataDir::messagesPath();
    const QDateTime arrival { QDate(2024, 3, 7), QTime(9, 5, 2, 41) };

    QStringList storedNames() const { return QDir(folder).entryList({ QStringLiteral("*") }, QDir::Files, QDir::Name); }
    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    void putFile(const QString &name, const QByteArray &content) const
    {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
};

TEST_F(MessageFilesTest, FileNameAndBytesFollowTheSharedLayout)
{
    const QByteArray text("Thursday, March 7, 2024, 09:05:02\r\nMessage from Ann to Bob.\r\n\r\nHi\r\nthere");
    const std::optional<QString> path = WriteMessageFile('1', "ANN-PC", "ANN-PC/10.0.0.5", text, arrival);
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, folder + QStringLiteral("0307090502041ANN-PC.tqm"));
    EXPECT_EQ(contentOf(*path), QByteArray("1ANN-PC/10.0.0.5\r\n") + text);
}

TEST_F(MessageFilesTest, WrittenMessagesLoadBackByteForByte)
{
    const QByteArray multiLine("stamp\r\nline one\r\n\r\nline three\r\n");
    QByteArray windows1252("stamp\r\nGr\xFC\xDF"
                           "e \x80");
    windows1252.append('\0').append("tail");
    ASSERT_TRUE(WriteMessageFile('0', "A", "A/10.0.0.1:8000u", multiLine, arrival));
    ASSERT_TRUE(WriteMessageFile('1', "B", "B/10.0.0.2", windows1252, arrival.addSecs(1)));
    ASSERT_TRUE(WriteMessageFile('7', "C", "C/10.0.0.3", "stamp\r\nx", arrival.addSecs(2)));

    MessageList list;
    EXPECT_EQ(LoadStoredMessages(list, false), 3u);
    ASSERT_EQ(list.count(), 3u);
    auto it = list.begin();
    EXPECT_EQ(it->sender, "A/10.0.0.1:8000u");
    EXPECT_EQ(it->text, multiLine);
    EXPECT_FALSE(it->highImportance);
    ++it;
    EXPECT_EQ(it->text, windows1252);
    EXPECT_TRUE(it->highImportance);
    EXPECT_EQ(it->filePath, folder + QStringLiteral("0307090503041B.tqm"));
    ++it;
    EXPECT_FALSE(it->highImportance) << "only '1' marks high importance";
    EXPECT_EQ(contentOf(it->filePath).left(1), "7") << "an unknown importance character is kept as it came";
}

TEST_F(MessageFilesTest, SenderEndsAtTheFirstCrLf)
{
    std::optional<MessageRecord> record = parseMessageFile("0me/1.2.3.4\r\nstamp\r\ntext\r\n", QStringLiteral("p"));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->sender, "me/1.2.3.4");
    EXPECT_EQ(record->text, "stamp\r\ntext\r\n");
    EXPECT_FALSE(parseMessageFile("0only a line\n", QStringLiteral("p")));
}

TEST_F(MessageFilesTest, LoadSkipsEmptyMalformedAndUnreadableFilesAndKeepsTheRest)
{
    putFile(QStringLiteral("0101000000000a.tqm"), "0a/1.1.1.1\r\nfirst");
    putFile(QStringLiteral("0101000000001b.tqm"), "");
    putFile(QStringLiteral("0101000000002c.tqm"), "0no line end at all\n");
    putFile(QStringLiteral("0101000000003d.tqm"), "0d/1.1.1.1\r\nlast");
    putFile(QStringLiteral("0101000000004e.tqm"), "0e/1.1.1.1\r\nlocked");
    putFile(QStringLiteral("notes.txt"), "0x/1.1.1.1\r\nnot a message file");
    putFile(QStringLiteral("0101000000005F.TQM"), "0f/1.1.1.1\r\ncopied from another station");
    // Neither a folder nor a pipe with a message name may stop the start-up.
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("0101000000006g.tqm")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + QStringLiteral("0101000000007h.tqm")).constData(), 0600), 0);
    QFile::setPermissions(folder + QStringLiteral("0101000000004e.tqm"), QFileDevice::WriteOwner);
    const bool unreadable = !QFile(folder + QStringLiteral("0101000000004e.tqm")).open(QIODevice::ReadOnly);

    MessageList list;
    LoadStoredMessages(list, false);
    QByteArrayList texts;
    for (const MessageRecord &record : list)
        texts.append(record.text);
    if (unreadable)
        EXPECT_EQ(texts, QByteArrayList({ "first", "last", "copied from another station" }));
    else // running as root, which reads every file
        EXPECT_EQ(texts, QByteArrayList({ "first", "last", "locked", "copied from another station" }));
}

TEST_F(MessageFilesTest, LoadShowsTheNewestOrWithDontAutoLastTheOldest)
{
    putFile(QStringLiteral("1231235959999z.tqm"), "0z/1.1.1.1\r\nDecember");
    putFile(QStringLiteral("0101000000000a.tqm"), "0a/1.1.1.1\r\nJanuary");
    putFile(QStringLiteral("0615120000000m.tqm"), "0m/1.1.1.1\r\nJune");

    MessageList newest;
    LoadStoredMessages(newest, false);
    EXPECT_EQ(newest.current()->text, "December");
    EXPECT_EQ(newest.index(), 3u);

    MessageList oldest;
    LoadStoredMessages(oldest, true);
    EXPECT_EQ(oldest.current()->text, "January");
    EXPECT_EQ(oldest.index(), 1u);
    EXPECT_EQ(oldest.newest()->text, "December");
}

TEST_F(MessageFilesTest, LoadOfAnEmptyOrMissingFolderGivesNothing)
{
    MessageList list;
    EXPECT_EQ(LoadStoredMessages(list, false), 0u);
    EXPECT_EQ(LoadStoredMessages(list, false, homePath() + QStringLiteral("/nowhere/")), 0u);
    EXPECT_EQ(list.current(), nullptr);
}

TEST_F(MessageFilesTest, SameMillisecondAndSystemNameNeverReplacesAFile)
{
    const std::optional<QString> first = WriteMessageFile('0', "PC", "PC/10.0.0.1", "stamp\r\none", arrival);
    const std::optional<QString> second = WriteMessageFile('0', "PC", "PC/10.0.0.2", "stamp\r\ntwo", arrival);
    const std::optional<QString> third = WriteMessageFile('0', "PC", "PC/10.0.0.3", "stamp\r\nthree", arrival);
    ASSERT_TRUE(first && second && third);
    // The next free millisecond: same format, and the names still sort in arrival order.
    EXPECT_EQ(storedNames(),
        QStringList({ QStringLiteral("0307090502041PC.tqm"), QStringLiteral("0307090502042PC.tqm"),
            QStringLiteral("0307090502043PC.tqm") }));
    EXPECT_EQ(contentOf(*first), "0PC/10.0.0.1\r\nstamp\r\none");

    DeleteMessageFile(*second);
    EXPECT_EQ(contentOf(*first), "0PC/10.0.0.1\r\nstamp\r\none") << "deleting one must not take the other";
    MessageList list;
    LoadStoredMessages(list, false);
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list.begin()->text, "stamp\r\none");
    EXPECT_EQ(list.newest()->text, "stamp\r\nthree");
}

TEST_F(MessageFilesTest, NamesThatCouldLeaveTheFolderAreNotStored)
{
    for (const QByteArray &name :
        { QByteArray("../../escape"), QByteArray("a/b"), QByteArray("..\\up"), QByteArray("nul\0byte", 8) }) {
        EXPECT_FALSE(WriteMessageFile('0', name, name + "/10.0.0.1", "stamp\r\ntext", arrival)) << name.constData();
    }
    // A name the file system refuses (too long) is not stored either.
    EXPECT_FALSE(WriteMessageFile('0', QByteArray(300, 'x'), "x/10.0.0.1", "stamp\r\ntext", arrival));
    EXPECT_TRUE(storedNames().isEmpty());
    EXPECT_TRUE(QDir(homePath()).entryList({ QStringLiteral("*escape*") }, QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(AppDataDir::path() + QStringLiteral("escape.tqm")));

    // Dots alone stay inside the folder: the time stamp comes first.
    EXPECT_TRUE(WriteMessageFile('0', "..", "../10.0.0.1", "stamp\r\ntext", arrival));
    EXPECT_EQ(storedNames(), QStringList({ QStringLiteral("0307090502041...tqm") }));
}

TEST_F(MessageFilesTest, SystemNameInWindows1252GivesTheSameLettersInTheFileName)
{
    const std::optional<QString> path = WriteMessageFile('0', "J\xFCrgen", "J\xFCrgen/10.0.0.1", "s\r\nt", arrival);
    ASSERT_TRUE(path);
    EXPECT_TRUE(path->endsWith(QStringLiteral("Jürgen.tqm")));
}

TEST_F(MessageFilesTest, UncreatableFileReturnsNothing)
{
    EXPECT_FALSE(WriteMessageFile('0', "PC", "PC/1", "s\r\nt", arrival, homePath() + QStringLiteral("/missing/")));
}

TEST_F(MessageFilesTest, DeletingAFileThatIsGoneIsNoError)
{
    const std::optional<QString> path = WriteMessageFile('0', "PC", "PC/1", "s\r\nt", arrival);
    ASSERT_TRUE(path);
    ASSERT_TRUE(QFile::remove(*path));
    DeleteMessageFile(*path);
    DeleteMessageFile(QString());
    EXPECT_FALSE(QFile::exists(*path));
}

} // namespace
} // namespace tq
