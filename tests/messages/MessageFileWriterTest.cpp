#include "messages/MessageFileWriter.h"
#include "messages/MessageFiles.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

#include <QDir>

#include <gtest/gtest.h>

#include <memory>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

class MessageFileWriterTest : public test::IsolatedHome {
protected:
    MessageFileWriterTest() { QDir().mkpath(dir); }

    QStringList files() const { return QDir(dir).entryList(QDir::Files, QDir::Name); }

    const QString dir = appDataDir() + u"messages/"_s;
    const QDateTime arrival{QDate(2024, 3, 5), QTime(14, 7, 9, 998)};
};

TEST_F(MessageFileWriterTest, BurstFromOneSenderGetsConsecutiveNamesInItsOrder)
{
    MessageFileWriter writer;
    // A file from an earlier year holds the first name already.
    ASSERT_TRUE(test::writeFile(dir + u"0305140709998PC.tqm"_s, {}));
    for (int i = 0; i < 300; ++i)
        writer.write(i + 1, '0', "PC", "PC/10.0.0.1", "stamp\r\nmessage " + QByteArray::number(i), arrival, dir);
    writer.flush();

    const std::vector<MessageFileWriter::Result> results = writer.takeResults();
    ASSERT_EQ(results.size(), 300u);
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(results[i].id, quint64(i + 1));
        const QString expected = dir + messageFileName(arrival.addMSecs(i + 1), "PC");
        ASSERT_EQ(results[i].path, expected) << i;
        EXPECT_EQ(test::readFile(expected), "0PC/10.0.0.1\r\nstamp\r\nmessage " + QByteArray::number(i));
    }
    EXPECT_TRUE(writer.takeResults().empty());
}

TEST_F(MessageFileWriterTest, EverythingQueuedIsWrittenBeforeTheWriterGoes)
{
    auto writer = std::make_unique<MessageFileWriter>();
    for (int i = 0; i < 200; ++i)
        writer->write(i + 1, '0', "PC" + QByteArray::number(i % 3), "PC/10.0.0.1", "stamp\r\nx", arrival, dir);
    writer.reset();
    EXPECT_EQ(files().size(), 200);
}

} // namespace
} // namespace tq
