#include "messages/MessageFiles.h"
#include "settings/AppDataDir.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <tuple>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

class MessageFilesTest : public test::IsolatedHome {
protected:
    const QString folder = AppDataDir::messagesPath();
    const QDateTime arrival{QDate(2024, 3, 7), QTime(9, 5, 2, 41)};

    QStringList storedNames() const { return QDir(folder).entryList({QStringLiteral("*")}, QDir::Files, QDir::Name); }
    void putFile(const QString &name, const QByteArray &content) const
    {
        ASSERT_TRUE(test::writeFile(folder + name, content));
    }
    QByteArrayList loadedTexts() const
    {
        MessageList list;
        LoadStoredMessages(list, false, AppDataDir::messagesPath());
        QByteArrayList texts;
        for (const MessageRecord &record : list)
            texts.append(record.text);
        return texts;
    }
};

TEST_F(MessageFilesTest, WrittenMessagesLoadBackByteForByteInNameOrder)
{
    const QByteArray multiLine("stamp\r\nline one\r\n\r\nline three\r\n");
    QByteArray windows1252("stamp\r\nGr\xFC\xDF"
                           "e \x80");
    windows1252.append('\0').append("tail");
    // Written out of order: the names, which begin with the arrival time, set the order.
    ASSERT_TRUE(WriteMessageFile('7', "C", "C/10.0.0.3", "stamp\r\nx", arrival.addSecs(2), AppDataDir::messagesPath()));
    ASSERT_TRUE(WriteMessageFile('1', "B", "B/10.0.0.2", windows1252, arrival.addSecs(1), AppDataDir::messagesPath()));
    ASSERT_TRUE(WriteMessageFile('0', "A", "A/10.0.0.1:8000u", multiLine, arrival, AppDataDir::messagesPath()));

    MessageList list;
    EXPECT_EQ(LoadStoredMessages(list, false, AppDataDir::messagesPath()).added, 3u);
    std::vector<std::tuple<QByteArray, QByteArray, bool, QString>> loaded;
    for (const MessageRecord &record : list)
        loaded.emplace_back(record.sender, record.text, record.highImportance, record.filePath);
    // Only '1' marks high importance; an unknown importance character is kept as it came.
    EXPECT_EQ(loaded,
              (decltype(loaded){{"A/10.0.0.1:8000u", multiLine, false, folder + u"0307090502041A.tqm"_s},
                                {"B/10.0.0.2", windows1252, true, folder + u"0307090503041B.tqm"_s},
                                {"C/10.0.0.3", "stamp\r\nx", false, folder + u"0307090504041C.tqm"_s}}));
    EXPECT_EQ(test::readFile(folder + u"0307090504041C.tqm"_s).left(1), "7");
}

TEST_F(MessageFilesTest, LoadSkipsEmptyMalformedAndUnreadableFilesAndKeepsTheRest)
{
    EXPECT_TRUE(loadedTexts().isEmpty());
    MessageList none;
    EXPECT_EQ(LoadStoredMessages(none, false, homePath() + QStringLiteral("/nowhere/")).added, 0u);

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

    if (unreadable)
        EXPECT_EQ(loadedTexts(), QByteArrayList({"first", "last", "copied from another station"}));
    else // running as root, which reads every file
        EXPECT_EQ(loadedTexts(), QByteArrayList({"first", "last", "locked", "copied from another station"}));
}

TEST_F(MessageFilesTest, SameMillisecondAndSystemNameNeverReplacesAFile)
{
    const std::optional<QString> first =
        WriteMessageFile('0', "PC", "PC/10.0.0.1", "stamp\r\none", arrival, AppDataDir::messagesPath());
    const std::optional<QString> second =
        WriteMessageFile('0', "PC", "PC/10.0.0.2", "stamp\r\ntwo", arrival, AppDataDir::messagesPath());
    const std::optional<QString> third =
        WriteMessageFile('0', "PC", "PC/10.0.0.3", "stamp\r\nthree", arrival, AppDataDir::messagesPath());
    ASSERT_TRUE(first && second && third);
    // The next free millisecond: same format, and the names still sort in arrival order.
    EXPECT_EQ(storedNames(),
              QStringList({QStringLiteral("0307090502041PC.tqm"), QStringLiteral("0307090502042PC.tqm"),
                           QStringLiteral("0307090502043PC.tqm")}));
    EXPECT_EQ(test::readFile(*first), "0PC/10.0.0.1\r\nstamp\r\none");

    DeleteMessageFile(*second);
    EXPECT_EQ(loadedTexts(), QByteArrayList({"stamp\r\none", "stamp\r\nthree"})) << "deleting one took only one";
    // Deleting a message whose file is already gone is no error.
    DeleteMessageFile(*second);
    DeleteMessageFile(QString());
    EXPECT_EQ(storedNames().size(), 2);
}

TEST_F(MessageFilesTest, NamesThatCouldLeaveTheFolderAreNotStored)
{
    for (const QByteArray &name :
         {QByteArray("../../escape"), QByteArray("a/b"), QByteArray("..\\up"), QByteArray("nul\0byte", 8)}) {
        EXPECT_FALSE(
            WriteMessageFile('0', name, name + "/10.0.0.1", "stamp\r\ntext", arrival, AppDataDir::messagesPath()))
            << name.constData();
    }
    // A name the file system refuses (too long) is not stored either.
    EXPECT_FALSE(WriteMessageFile('0', QByteArray(300, 'x'), "x/10.0.0.1", "stamp\r\ntext", arrival,
                                  AppDataDir::messagesPath()));
    EXPECT_TRUE(storedNames().isEmpty());
    EXPECT_TRUE(QDir(homePath()).entryList({QStringLiteral("*escape*")}, QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(AppDataDir::path() + QStringLiteral("escape.tqm")));

    // Dots alone stay inside the folder: the time stamp comes first. A Windows-1252 name
    // gives the same letters in the file name.
    EXPECT_TRUE(WriteMessageFile('0', "..", "../10.0.0.1", "stamp\r\ntext", arrival, AppDataDir::messagesPath()));
    EXPECT_TRUE(
        WriteMessageFile('0', "J\xFCrgen", "J\xFCrgen/10.0.0.1", "s\r\nt", arrival, AppDataDir::messagesPath()));
    EXPECT_EQ(storedNames(),
              QStringList({QStringLiteral("0307090502041...tqm"), QStringLiteral("0307090502041Jürgen.tqm")}));
}

} // namespace
} // namespace tq
