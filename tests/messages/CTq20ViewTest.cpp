#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "messages/MessageFiles.h"
#include "settings/AppDataDir.h"

#include "app/MainFrameFixture.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tq {
namespace {

using Command = CTq20View::Command;

class CTq20ViewTest : public test::MainFrameFixture {
protected:
    std::unique_ptr<CMainFrame> frame;
    CTq20View *view = nullptr;
    QStringList paths;

    // Stores message i as "message i" from "PC<i>", in arrival order.
    void storeMessages(int count, int highImportanceAt = -1)
    {
        for (int i = 1; i <= count; ++i) {
            const QByteArray name = "PC" + QByteArray::number(i);
            const std::optional<QString> path =
                WriteMessageFile(i == highImportanceAt ? '1' : '0', name, name + "/10.0.0." + QByteArray::number(i),
                                 "Monday, 1 January 2024, 10:00:00\r\nmessage " + QByteArray::number(i),
                                 QDateTime(QDate(2024, 1, 1), QTime(10, 0)).addSecs(i), AppDataDir::messagesPath());
            ASSERT_TRUE(path);
            paths.append(*path);
        }
    }

    // The main window with its view, shown and past its initial update, and the quiet time
    // after the start already over.
    void start()
    {
        settings.set(keys::StoreAndLoad, 1);
        frame = makeFrame();
        view = frame->view();
        frame->show();
        view->OnInitialUpdate();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        clock.advance(MessageViewer::kDeleteQuietMs);
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : frame.get();
        QTest::keyClick(target, key, modifiers);
    }

    QString shownText() const { return view->messagePane()->toPlainText(); }
    QString destination() const { return view->destinationBox()->currentText(); }
    QString position() const { return frame->statusPane(2)->text(); }
    bool enabled(Command command) const { return view->action(command)->isEnabled(); }
};

TEST_F(CTq20ViewTest, StartUpShowsTheNewestStoredMessageOrWithDontAutoLastTheOldest)
{
    storeMessages(3, 3);
    start();
    EXPECT_EQ(shownText(), QStringLiteral("Monday, 1 January 2024, 10:00:00\nmessage 3"));
    EXPECT_EQ(destination(), QStringLiteral("PC3/10.0.0.3"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tarquel Messenger [ 3 messages ]"));
    EXPECT_EQ(position(), QStringLiteral("3/3"));
    EXPECT_EQ(tray.iconName, QStringLiteral("IDI_ICON3"));
    EXPECT_FALSE(view->importanceIcon()->isHidden()) << "the newest one is of high importance";
    EXPECT_TRUE(view->composeBox()->hasFocus());

    // "DontAutoLast" starts at the oldest.
    frame.reset();
    settings.set(keys::DontAutoLast, 1);
    start();
    EXPECT_EQ(destination(), QStringLiteral("PC1/10.0.0.1"));
    EXPECT_EQ(position(), QStringLiteral("1/3"));
    EXPECT_TRUE(view->importanceIcon()->isHidden());
}

TEST_F(CTq20ViewTest, TitleTrayAndPaneForNoneOneAndTwelveMessages)
{
    // Stored messages stay on disk when "StoreAndLoad" is off.
    storeMessages(1);
    settings.set(keys::StoreAndLoad, 0);
    frame = makeFrame();
    view = frame->view();
    view->OnInitialUpdate();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tarquel Messenger v2.1"));
    EXPECT_EQ(position(), QStringLiteral("0/0"));
    EXPECT_EQ(tray.iconName, QStringLiteral("IDI_AMAINFRAME"));
    EXPECT_EQ(tray.toolTip, QStringLiteral("Tarquel Messenger. Listening..."));
    for (const Command command : {Command::Previous, Command::Next, Command::Delete, Command::DiscardAll,
                                  Command::AddSenderOutsideAnyGroup, Command::AddSenderJunk})
        EXPECT_FALSE(enabled(command));

    frame.reset();
    start();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tarquel Messenger [ 1 message ]"));
    EXPECT_EQ(position(), QStringLiteral("1/1"));
    EXPECT_EQ(tray.iconName, QStringLiteral("IDI_ICON1"));

    frame.reset();
    storeMessages(11);
    start();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tarquel Messenger [ 12 messages ]"));
    EXPECT_EQ(position(), QStringLiteral("12/12"));
    EXPECT_EQ(tray.iconName, QStringLiteral("IDI_ICON11"));
    EXPECT_EQ(tray.toolTip, frame->windowTitle());
}

TEST_F(CTq20ViewTest, AltArrowsPageThroughTheMessages)
{
    storeMessages(3);
    start();
    EXPECT_FALSE(enabled(Command::Next));
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(destination(), QStringLiteral("PC2/10.0.0.2"));
    EXPECT_EQ(position(), QStringLiteral("2/3"));
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(shownText(), QStringLiteral("Monday, 1 January 2024, 10:00:00\nmessage 1"));
    EXPECT_EQ(position(), QStringLiteral("1/3"));
    EXPECT_FALSE(enabled(Command::Previous));
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(position(), QStringLiteral("1/3"));
    press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(position(), QStringLiteral("2/3"));
    EXPECT_TRUE(enabled(Command::Previous) && enabled(Command::Next));
    EXPECT_TRUE(view->composeBox()->hasFocus());
}

TEST_F(CTq20ViewTest, DeleteWaitsOutAnArrivalThenShowsTheNewerNeighbourThenTheOlderThenNothing)
{
    storeMessages(4);
    start();
    view->station().viewer().markArrival();
    clock.advance(1999);
    press(Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(position(), QStringLiteral("4/4")) << "too soon after an arrival";
    EXPECT_TRUE(QFile::exists(paths[3]));
    clock.advance(1);

    view->ShowPreviousMessage();
    view->ShowPreviousMessage(); // message 2 of 4
    press(Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(destination(), QStringLiteral("PC3/10.0.0.3")) << "the newer one takes the place";
    EXPECT_EQ(position(), QStringLiteral("2/3"));
    EXPECT_FALSE(QFile::exists(paths[1]));

    view->ShowNextMessage(); // the newest, message 4
    press(Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(destination(), QStringLiteral("PC3/10.0.0.3")) << "the older one, a place lower";
    EXPECT_EQ(position(), QStringLiteral("2/2"));

    press(Qt::Key_Delete, Qt::AltModifier);
    press(Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(shownText(), QString());
    EXPECT_EQ(position(), QStringLiteral("0/0"));
    EXPECT_EQ(tray.iconName, QStringLiteral("IDI_AMAINFRAME"));
    for (const QString &path : std::as_const(paths))
        EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(enabled(Command::Delete));
}

TEST_F(CTq20ViewTest, DiscardAllAsksFirst)
{
    storeMessages(3);
    start();
    prompter.answers = {Prompter::Answer::No};
    view->action(Command::DiscardAll)->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Do you wish to delete all incoming messages?"));
    EXPECT_EQ(prompter.boxes[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(prompter.boxes[0].defaultAnswer, Prompter::Answer::No);
    EXPECT_EQ(position(), QStringLiteral("3/3"));
    EXPECT_TRUE(QFile::exists(paths[0]));

    // No quiet time for Discard all.
    view->station().viewer().markArrival();
    prompter.answers = {Prompter::Answer::Yes};
    press(Qt::Key_Delete, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(position(), QStringLiteral("0/0"));
    for (const QString &path : std::as_const(paths))
        EXPECT_FALSE(QFile::exists(path));
}

TEST_F(CTq20ViewTest, DeletingTheLastEmptiesOnlyTheProgramsComposeTextAndMinOnDelLastPutsTheWindowAway)
{
    storeMessages(2);
    start();
    view->setComposeText(QStringLiteral("quoted by the program"));
    view->DeleteCurrentMessage();
    view->DeleteCurrentMessage();
    EXPECT_EQ(view->composeBox()->toPlainText(), QString());

    frame.reset();
    storeMessages(1);
    start();
    view->composeBox()->setFocus();
    QTest::keyClicks(view->composeBox(), QStringLiteral("my reply"));
    view->DeleteCurrentMessage();
    EXPECT_EQ(view->composeBox()->toPlainText(), QStringLiteral("my reply"));
    EXPECT_FALSE(frame->isMinimized()) << "MinOnDelLast is off";

    settings.set(keys::MinOnDelLast, 1);
    frame.reset();
    storeMessages(1);
    start();
    view->DeleteCurrentMessage();
    EXPECT_TRUE(test::waitUntil([&] { return !frame->isVisible(); })) << "into the tray";

    frame.reset();
    tray.available = false;
    storeMessages(1);
    start();
    view->DeleteCurrentMessage();
    EXPECT_TRUE(test::waitUntil([&] { return frame->isMinimized(); }));
    EXPECT_TRUE(frame->isVisible()) << "never hidden without a way back";
}

TEST_F(CTq20ViewTest, NetworkTextIsShownDecodedAndPlain)
{
    ASSERT_TRUE(WriteMessageFile('0', "PC", "PC/10.0.0.9",
                                 "stamp\r\n<b>Gr\xFC\xDF"
                                 "e</b>\r\nline 2",
                                 QDateTime::currentDateTime(), AppDataDir::messagesPath()));
    start();
    EXPECT_EQ(shownText(), QStringLiteral("stamp\n<b>Grüße</b>\nline 2"));
}

TEST_F(CTq20ViewTest, EditCommandsFollowTheFocusedEdit)
{
    storeMessages(1);
    start();
    MessageEdit *compose = view->composeBox();
    compose->setFocus();
    QTest::keyClicks(compose, QStringLiteral("hello"));
    EXPECT_TRUE(enabled(Command::Undo));
    EXPECT_FALSE(enabled(Command::Cut));
    view->action(Command::SelectAll)->trigger();
    EXPECT_TRUE(enabled(Command::Cut) && enabled(Command::Copy));
    view->action(Command::Cut)->trigger();
    EXPECT_TRUE(enabled(Command::Paste));

    MessageEdit *pane = view->messagePane();
    pane->setFocus();
    pane->selectAll();
    EXPECT_TRUE(enabled(Command::Copy));
    EXPECT_FALSE(enabled(Command::Cut)) << "read-only";
    EXPECT_FALSE(enabled(Command::Paste)) << "read-only";

    view->sendButton()->setFocus();
    EXPECT_FALSE(enabled(Command::Copy) || enabled(Command::SelectAll)) << "not an edit";
}

TEST_F(CTq20ViewTest, EditCommandsWorkInTheDestinationFieldAsInTheComposeBox)
{
    start();
    const auto editItem = [this](const char *name) {
        for (QAction *item : view->editMenu()->actions()) {
            if (item->objectName() == QLatin1String(name))
                return item;
        }
        ADD_FAILURE() << name << " is not in the Edit menu";
        return view->action(Command::Undo);
    };
    QLineEdit *field = view->destinationBox()->lineEdit();
    view->destinationBox()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), view->destinationBox()) << "the box holds the focus, not its field";
    const QString typed = QStringLiteral("10.0.0.7;x@y.example");
    QTest::keyClicks(field, typed);
    ASSERT_EQ(field->text(), typed);
    EXPECT_TRUE(editItem("actionUndo")->isEnabled());
    EXPECT_TRUE(editItem("actionSelectAll")->isEnabled());
    EXPECT_FALSE(editItem("actionCopy")->isEnabled()) << "nothing selected";

    editItem("actionSelectAll")->trigger();
    EXPECT_EQ(field->selectedText(), typed);
    EXPECT_TRUE(editItem("actionCut")->isEnabled() && editItem("actionCopy")->isEnabled());
    editItem("actionCopy")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), typed);
    editItem("actionCut")->trigger();
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_FALSE(editItem("actionCut")->isEnabled());
    ASSERT_TRUE(editItem("actionPaste")->isEnabled());
    editItem("actionPaste")->trigger();
    EXPECT_EQ(field->text(), typed);
    editItem("actionUndo")->trigger();
    EXPECT_TRUE(field->text().isEmpty()) << "the paste is undone";
    EXPECT_TRUE(view->composeBox()->toPlainText().isEmpty()) << "no command reached the compose box";
}

TEST_F(CTq20ViewTest, PopupFlagIsAToggleKeptForTheNextRun)
{
    start();
    QAction *popup = view->action(Command::PopupOnReceipt);
    EXPECT_FALSE(popup->isChecked());
    popup->trigger();
    EXPECT_TRUE(view->popupOnReceipt());
    EXPECT_TRUE(popup->isChecked());
    frame.reset();
    EXPECT_EQ(settings.get(keys::Popup), 1);
    start();
    EXPECT_TRUE(view->popupOnReceipt());
}

TEST_F(CTq20ViewTest, SplitterPositionIsCheckedAtStartAndPulledUpWhenTheWindowShrinks)
{
    settings.set(keys::Height, 460);
    settings.set(keys::BottomRecText, 5000);
    start();
    EXPECT_EQ(view->splitterPosition(), 0) << "saved for a larger window";
    frame.reset();
    EXPECT_EQ(settings.get(keys::BottomRecText), 0);

    settings.set(keys::BottomRecText, 200);
    start();
    EXPECT_EQ(view->splitterPosition(), 200);
    EXPECT_EQ(view->messagePane()->height(), 200);
    EXPECT_GE(view->composeBox()->geometry().top(), 200 + 35);
    frame->resize(frame->width(), 185);
    EXPECT_TRUE(test::waitUntil([&] { return view->height() <= 200 + CTq20View::kBelowSplitter; }));
    EXPECT_EQ(view->splitterPosition(), view->height() - CTq20View::kBelowSplitter);
}

TEST_F(CTq20ViewTest, DraggingTheSplitterMovesTheMessagePane)
{
    start();
    const int from = view->splitterPosition();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(50, from + 2));
    QTest::mouseMove(view, QPoint(50, from + 40));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(50, from + 40));
    EXPECT_EQ(view->splitterPosition(), from + 40);
    EXPECT_EQ(view->messagePane()->height(), from + 40);
}

} // namespace
} // namespace tq
