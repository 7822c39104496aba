#include "messages/FilteredMessageFile.h"
#include "settings/SettingsStore.h"
#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using Result = FilteredMessageFile::Result;

const QByteArray kEntryEnd = "\r\n*******************************************\r\n"_ba;

class FilteredMessageFileTest : public test::IsolatedHome {
protected:
    QByteArray deadFileBytes() const { return test::readFile(appDataDir() + u"outfiltered.txt"_s, "<missing>"); }

    SettingsStore store;
    // What the file told the user, each a box of its own.
    QStringList told;
    FilteredMessageFile deadFile{[this](const QString &text) { told.append(text); }, appDataDir()};
};

TEST_F(FilteredMessageFileTest, BothFormsAreAppendedByteForByte)
{
    const QByteArray text = filteredEntryText("Duplicated Message\r\n", "Friday, 10:15:02", "Hi\r\nthere\xe4");
    EXPECT_EQ(deadFile.SaveFilteredMessage(text), Result::Written);
    // A text ends at its first NUL.
    EXPECT_EQ(deadFile.SaveFilteredMessage(QByteArray("second\0hidden", 13)), Result::Written);

    const QByteArray buffer = nonStandardMessageBuffer("Friday, 10:15:02", QByteArray("\0#0Hi\r\n\0#1PC\0\0#2", 16));
    EXPECT_EQ(deadFile.SaveFilteredMessage(buffer, buffer.size()), Result::Written);
    // The NUL a receiver puts after the data is no extra piece; only `length` bytes count.
    EXPECT_EQ(deadFile.SaveFilteredMessage(buffer + '\0', buffer.size() + 1), Result::Written);
    EXPECT_EQ(deadFile.SaveFilteredMessage(QByteArray("ab\0cd", 5), 4), Result::Written);

    const QByteArray nonStandard = "Non Standard Message.\r\n*******************************************\r\n"
                                   "Friday, 10:15:02\r\n\\0#0Hi\r\n\\0#1PC\\0\\0#2\\0"_ba
        + kEntryEnd;
    EXPECT_EQ(deadFileBytes(),
              "Duplicated Message\r\n*******************************************\r\nFriday, 10:15:02\r\n"
              "Hi\r\nthere\xe4"_ba
                  + kEntryEnd + "second" + kEntryEnd + nonStandard + nonStandard + "ab\\0c\\0" + kEntryEnd);
    EXPECT_TRUE(told.isEmpty());
}

TEST_F(FilteredMessageFileTest, FileNameChosenInTheSettingsIsUsed)
{
    ASSERT_TRUE(store.set(keys::DeadFileName, homePath() + u"/chosen.txt"_s));
    deadFile.loadTarget(store, appDataDir());
    EXPECT_EQ(deadFile.SaveFilteredMessage("text"), Result::Written);
    EXPECT_TRUE(QFile::exists(homePath() + u"/chosen.txt"_s));
}

TEST_F(FilteredMessageFileTest, WriteFailureIsShownOnceUntilAWriteSucceedsOrTheTargetChanges)
{
    const QString folder = homePath() + u"/later"_s;
    const QString path = folder + u"/dead.txt"_s;
    deadFile.setTarget(true, path);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(deadFile.SaveFilteredMessage("flood"), Result::Failed);
    deadFile.setTarget(true, path);
    EXPECT_EQ(deadFile.SaveFilteredMessage("flood"), Result::Failed);
    EXPECT_EQ(told, QStringList{u"Unable to write outfiltered message to file: "_s + path});

    // The folder appears and the write succeeds: the next failure is worth a box again.
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(deadFile.SaveFilteredMessage("kept"), Result::Written);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_EQ(deadFile.SaveFilteredMessage("lost"), Result::Failed);
    EXPECT_EQ(deadFile.SaveFilteredMessage("lost"), Result::Failed);
    EXPECT_EQ(told.size(), 2);

    // So is a new file name from the preferences; a folder in place of the file fails too.
    deadFile.setTarget(true, appDataDir() + u"messages"_s);
    EXPECT_EQ(deadFile.SaveFilteredMessage("lost"), Result::Failed);
    ASSERT_EQ(told.size(), 3);
    EXPECT_TRUE(told[2].endsWith(u"messages"_s));
}

} // namespace
} // namespace tq
