#include "addressbook/DestinationComboBox.h"
#include "history/HistoryTableModel.h"
#include "history/HistoryWindow.h"
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "messages/MessageFiles.h"
#include "protocol/MessagePacket.h"
#include "settings/AppDataDir.h"

#include "app/HistoryControls.h"
#include "app/MainFrameFixture.h"
#include "support/Files.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

// The History window as the main window offers it: the View menu's entry and its key, the
// index made from the messages the start-up load read, and its replies and deletions reaching
// the main view and the message list.
class MainFrameHistoryTest : public test::MainFrameFixture {
protected:
    MainFrameHistoryTest()
    {
        settings.set(keys::StoreAndLoad, 1);
        const QString folder = AppDataDir::messagesPath();
        EXPECT_TRUE(test::writeFile(folder + annFile,
                                    "0ANN/10.0.0.5\r\nFriday, 5 January 2024, 09:30:00\r\n"
                                    "Message from Ann to Bob.\r\n\r\nLunch at noon?"));
        EXPECT_TRUE(test::writeFile(folder + berndFile,
                                    "0BERND/10.0.0.7\r\nSaturday, 10 February 2024, 14:30:00\r\n"
                                    "Message from Bernd to Bob.\r\n\r\nThe report is ready"));
    }

    HistoryWindow *openHistory(CMainFrame &frame)
    {
        // Rows picked while the index is still coming in would move under the click.
        EXPECT_TRUE(test::waitUntil([&] { return !frame.history().index().isBuilding(); }));
        action(frame, "actionHistory")->trigger();
        HistoryWindow *window = frame.history().window();
        EXPECT_NE(window, nullptr);
        if (window) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
            EXPECT_TRUE(test::waitUntil([&] { return window->model().rowCount() == frame.history().index().size(); }));
        }
        return window;
    }
    static void clickRow(HistoryWindow &window, int row)
    {
        auto *table = window.findChild<QTableView *>(u"historyTable"_s);
        ASSERT_NE(table, nullptr);
        const QRect cell = table->visualRect(window.model().index(row, HistoryTableModel::FirstLineColumn));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    static void click(HistoryWindow &window, const char *button)
    {
        auto *found = window.findChild<QPushButton *>(QLatin1String(button));
        ASSERT_NE(found, nullptr) << button;
        QTest::mouseClick(found, Qt::LeftButton);
    }
    static QString firstLineOfRow(const HistoryWindow &window, int row)
    {
        return window.model().index(row, HistoryTableModel::FirstLineColumn).data().toString();
    }

    const QString annFile = u"0105093000000ANN.tqm"_s;
    const QString berndFile = u"0210143000000BERND.tqm"_s;
};

TEST_F(MainFrameHistoryTest, TheViewMenuAndCtrlHOpenOneWindowOverTheStoredMessages)
{
    auto frame = runningFrame();
    ASSERT_TRUE(test::waitUntil([&] { return frame->history().index().size() == 2; }));
    QAction *entry = action(*frame, "actionHistory");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(frame->findChild<QMenu *>(u"viewMenu"_s)->actions().contains(entry));
    EXPECT_EQ(entry->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));

    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_H, Qt::ControlModifier);
    HistoryWindow *window = frame->history().window();
    ASSERT_NE(window, nullptr) << "Ctrl+H opens the window";
    EXPECT_TRUE(test::waitUntil([&] { return window->model().rowCount() == 2; }));
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(firstLineOfRow(*window, 0), u"The report is ready"_s);
    entry->trigger();
    EXPECT_EQ(frame->history().window(), window) << "a second command raises the same window";
    EXPECT_EQ(frame->findChildren<HistoryWindow *>().size(), 1);

    window->close();
    ASSERT_TRUE(test::waitUntil([&] { return frame->history().window() == nullptr; }));
    entry->trigger();
    EXPECT_NE(frame->history().window(), nullptr) << "made again after it was closed";
}

TEST_F(MainFrameHistoryTest, ArrivalsJoinTheIndexOnceTheirFilesAreWritten)
{
    auto frame = runningFrame();
    ASSERT_TRUE(test::waitUntil([&] { return frame->history().index().size() == 2; }));
    HistoryWindow *window = openHistory(*frame);
    ASSERT_NE(window, nullptr);
    const QByteArray packet =
        BuildStreamPacket({{}, "Message from Chloe to Bob.\r\n\r\nFresh news", "CHLOE", '0', {}}, "10.0.0.9", 7010);
    frame->station().OnIncomingMessage(Transport::Tcp, {quint32(packet.size()), "10.0.0.9", packet});
    ASSERT_TRUE(test::waitUntil([&] { return window->model().rowCount() == 3; }));
    EXPECT_EQ(firstLineOfRow(*window, 0), u"Fresh news"_s);
    EXPECT_EQ(frame->history().index().size(), 3);
}

TEST_F(MainFrameHistoryTest, ReplyFillsTheMainViewAndDeleteRemovesFileAndRecord)
{
    auto frame = runningFrame();
    ASSERT_EQ(frame->station().messages().count(), 2u);
    HistoryWindow *window = openHistory(*frame);
    ASSERT_NE(window, nullptr);
    clickRow(*window, 1);
    click(*window, "replyButton");
    EXPECT_EQ(frame->view()->destinationBox()->currentText(), u"ANN/10.0.0.5"_s);
    EXPECT_EQ(frame->view()->composeBox()->toPlainText(), u">Lunch at noon?\n>\n"_s);

    prompter.answers = {Prompter::Answer::Yes};
    click(*window, "deleteButton");
    EXPECT_FALSE(QFile::exists(AppDataDir::messagesPath() + annFile));
    EXPECT_EQ(frame->station().messages().count(), 1u) << "the record left the message list too";
    EXPECT_EQ(frame->history().index().size(), 1);

    // The message on display goes: the main view no longer shows it.
    ASSERT_TRUE(frame->view()->messagePane()->toPlainText().contains(u"The report is ready"_s));
    clickRow(*window, 0);
    prompter.answers = {Prompter::Answer::Yes};
    click(*window, "deleteButton");
    EXPECT_EQ(frame->station().messages().count(), 0u);
    EXPECT_FALSE(frame->view()->messagePane()->toPlainText().contains(u"The report is ready"_s));
}

TEST_F(MainFrameHistoryTest, WithStoringOffTheWindowSaysSo)
{
    settings.set(keys::StoreAndLoad, 0);
    auto frame = runningFrame();
    action(*frame, "actionHistory")->trigger();
    HistoryWindow *window = frame->history().window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(frame->history().index().size(), 0);
    auto *notice = window->findChild<QLabel *>(u"storingOffNotice"_s);
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
}

} // namespace
} // namespace tq
