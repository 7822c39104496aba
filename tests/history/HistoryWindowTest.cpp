#include "history/HistoryWindow.h"

#include "history/HistoryTableModel.h"
#include "settings/SettingsStore.h"

#include "HistoryFolder.h"
#include "support/RecordingPrompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

class HistoryWindowTest : public test::HistoryFolder {
protected:
    HistoryWindowTest() { settings.set(keys::StoreAndLoad, 1); }

    void open()
    {
        buildIndex(index);
        window = std::make_unique<HistoryWindow>(index, settings, prompter);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTableView *table() const { return child<QTableView>("historyTable"); }
    const HistoryTableModel &model() const { return window->model(); }

    // The sender and first line of every row, top to bottom.
    QStringList rows() const
    {
        QStringList texts;
        for (int row = 0; row < model().rowCount(); ++row) {
            texts.append(model().index(row, HistoryTableModel::SenderColumn).data().toString() + u" | "_s
                         + model().index(row, HistoryTableModel::FirstLineColumn).data().toString());
        }
        return texts;
    }
    bool showsRows(qsizetype count) const
    {
        return test::waitUntil([&] { return model().rowCount() == count; });
    }
    void clickRow(int row)
    {
        const QRect cell = table()->visualRect(model().index(row, HistoryTableModel::FirstLineColumn));
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void typeInto(const char *field, const QString &text)
    {
        auto *edit = child<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        // Key by key, as a keyboard with these letters would send them.
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
            QApplication::sendEvent(edit, &release);
        }
    }
    void click(const char *button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }

    SettingsStore settings;
    test::RecordingPrompter prompter;
    HistoryIndex index;
    std::unique_ptr<HistoryWindow> window;
};

TEST_F(HistoryWindowTest, OpensWithEveryStoredMessageNewestFirstAndShowsTheSelectedOneWhole)
{
    open();
    EXPECT_EQ(rows(),
              QStringList({QString::fromUtf8("CHLOÉ/10.0.0.9 | ÄRGER im Büro"),
                           QString::fromUtf8("BERND/10.0.0.7:8000u | Grüße aus München, € 50"),
                           u"ANN/10.0.0.5 | Lunch at noon?"_s, u"ZED/10.0.0.12 | hello without stamp"_s,
                           u"ANN/10.0.0.5 | Happy new year!"_s, u"DAN/10.0.0.11 | Old lunch notes"_s}));
    EXPECT_EQ(model().index(1, HistoryTableModel::ImportanceColumn).data().toString(), u"High"_s);
    EXPECT_EQ(model().index(0, HistoryTableModel::ImportanceColumn).data().toString(), QString());
    EXPECT_FALSE(child<QPushButton>("deleteButton")->isEnabled()) << "nothing is selected yet";

    clickRow(2);
    EXPECT_EQ(child<QPlainTextEdit>("messagePane")->toPlainText(),
              u"Friday, 5 January 2024, 09:30:00\nFrom: ANN/10.0.0.5\nMessage from Ann Example to Bob.\n\n"
              u"Lunch at noon?\nThe usual place.\n\n"_s);
    EXPECT_TRUE(child<QPushButton>("deleteButton")->isEnabled());

    click("copyButton");
    EXPECT_EQ(QApplication::clipboard()->text(), child<QPlainTextEdit>("messagePane")->toPlainText());
}

TEST_F(HistoryWindowTest, TypingWordsASenderOrDaysNarrowsTheRowsAndKeepsTheSelection)
{
    open();
    clickRow(1); // Bernd's
    typeInto("searchField", QString::fromUtf8("GRÜSSE münchen"));
    ASSERT_TRUE(showsRows(1));
    EXPECT_EQ(rows(), QStringList({QString::fromUtf8("BERND/10.0.0.7:8000u | Grüße aus München, € 50")}));
    EXPECT_TRUE(child<QPlainTextEdit>("messagePane")->toPlainText().contains(QString::fromUtf8("aus München")))
        << "the selected message stays on display";

    typeInto("searchField", u"lunch"_s);
    ASSERT_TRUE(showsRows(2));
    EXPECT_TRUE(child<QPlainTextEdit>("messagePane")->toPlainText().isEmpty()) << "its message went from the rows";
    typeInto("senderField", u"dan"_s);
    ASSERT_TRUE(showsRows(1));
    EXPECT_EQ(rows(), QStringList({u"DAN/10.0.0.11 | Old lunch notes"_s}));

    typeInto("senderField", {});
    typeInto("searchField", {});
    child<QDateEdit>("sinceDate")->setDate(QDate(2024, 1, 4));
    child<QCheckBox>("sinceCheck")->click();
    ASSERT_TRUE(showsRows(3));
    child<QDateEdit>("untilDate")->setDate(QDate(2024, 2, 10));
    child<QCheckBox>("untilCheck")->click();
    ASSERT_TRUE(showsRows(2));
    EXPECT_EQ(child<QLabel>("statusLabel")->text(), u"2 of 6 messages"_s);
}

TEST_F(HistoryWindowTest, DeleteAsksFirstThenRemovesTheFileTheEntryAndTheRow)
{
    open();
    QSignalSpy deleted(window.get(), &HistoryWindow::messageDeleted);
    clickRow(1);
    prompter.answers = {Prompter::Answer::No};
    click("deleteButton");
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_TRUE(prompter.boxes[0].text.contains(u"BERND/10.0.0.7:8000u"_s));
    EXPECT_TRUE(QFile::exists(folder + bernd));
    EXPECT_EQ(model().rowCount(), 6);

    prompter.answers = {Prompter::Answer::Yes};
    click("deleteButton");
    EXPECT_FALSE(QFile::exists(folder + bernd));
    EXPECT_EQ(deleted.count(), 1);
    EXPECT_EQ(deleted.value(0).value(0).toString(), folder + bernd);
    EXPECT_EQ(index.size(), 5);
    EXPECT_EQ(model().rowCount(), 5);
    EXPECT_TRUE(rows().value(1).startsWith(u"ANN/10.0.0.5 | Lunch"_s)) << "the next older message takes its place";
    EXPECT_TRUE(child<QPlainTextEdit>("messagePane")->toPlainText().contains(u"Lunch at noon?"_s));
}

TEST_F(HistoryWindowTest, ReplyOffersTheSendersDestinationAndTheQuote)
{
    open();
    QSignalSpy replies(window.get(), &HistoryWindow::replyRequested);
    clickRow(1);
    click("replyButton");
    ASSERT_EQ(replies.count(), 1);
    EXPECT_EQ(replies[0][0].toString(), u"BERND/10.0.0.7:8000u"_s);
    // The heading and its empty line go; each line is quoted and the reply starts below.
    EXPECT_EQ(replies[0][1].toString(), QString::fromUtf8(">Grüße aus München, € 50\n>\n"));
}

TEST_F(HistoryWindowTest, ExportWritesTheShownRowsAsUtf8Blocks)
{
    open();
    typeInto("senderField", u"ann"_s);
    ASSERT_TRUE(showsRows(2));
    const QString path = homePath() + u"/exported.txt"_s;
    prompter.fileNames = {path};
    click("exportButton");
    ASSERT_EQ(prompter.fileDialogs.size(), 1);
    EXPECT_EQ(test::readFile(path),
              QByteArray("Friday, 5 January 2024, 09:30:00\nFrom: ANN/10.0.0.5\nMessage from Ann Example to Bob.\n\n"
                         "Lunch at noon?\nThe usual place.\n\n"
                         "Sunday, 31 December 2023, 23:59:59\nFrom: ANN/10.0.0.5\nMessage from Ann Example to Bob.\n\n"
                         "Happy new year!\n\n"));

    // A file that cannot be written is reported, and nothing is left behind.
    prompter.fileNames = {homePath() + u"/no/such/folder/exported.txt"_s};
    click("exportButton");
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Stop);
}

TEST_F(HistoryWindowTest, FollowsArrivalsWhileOpenAndLeavesTheMessageBeingReadAlone)
{
    open();
    clickRow(1);
    auto *pane = child<QPlainTextEdit>("messagePane");
    pane->selectAll();
    const std::optional<QString> path =
        WriteMessageFile('0', "EVE", "EVE/10.0.0.20", "Saturday, 2 March 2024, 07:00:00\r\nfresh news",
                         QDateTime(QDate(2024, 3, 2), QTime(7, 0)), folder);
    ASSERT_TRUE(path);
    index.add({"Saturday, 2 March 2024, 07:00:00\r\nfresh news", "EVE/10.0.0.20", *path, false});
    ASSERT_TRUE(showsRows(7));
    EXPECT_EQ(rows().value(0), u"EVE/10.0.0.20 | fresh news"_s);
    EXPECT_EQ(rows().value(table()->currentIndex().row()),
              QString::fromUtf8("BERND/10.0.0.7:8000u | Grüße aus München, € 50"))
        << "the selection moved with its message";
    EXPECT_TRUE(pane->textCursor().hasSelection()) << "what the user marked in the message is still marked";
}

TEST_F(HistoryWindowTest, WithStoringOffItSaysWhyThereIsNothing)
{
    settings.set(keys::StoreAndLoad, 0);
    open();
    EXPECT_TRUE(child<QLabel>("storingOffNotice")->isVisible());
    EXPECT_FALSE(table()->isVisible());
}

} // namespace
} // namespace tq
