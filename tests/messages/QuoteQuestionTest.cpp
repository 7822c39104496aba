// The quote question while messages keep arriving: the box runs its own event loop, and the
// arrivals it handles may trim the full list and free the very record the question is about.
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "protocol/MessagePacket.h"

#include "app/MainFrameFixture.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::waitUntil;

class QuoteQuestionTest : public test::MainFrameFixture {
protected:
    QuoteQuestionTest()
    {
        // The shown message stays where the user put it; arrivals only add and trim.
        settings.set(keys::DontAutoLast, 1);
        settings.set(keys::EnableSound, 0);
    }

    // The window with a full list, "message 1" to "message 100", the oldest on display.
    void startWithFullList()
    {
        frame = runningFrame();
        view = frame->view();
        for (int i = 1; i <= kFull; ++i)
            ASSERT_TRUE(send(u"message %1"_s.arg(i)));
        ASSERT_TRUE(waitUntil([this] { return newestText().endsWith("message 100"); }));
        ASSERT_EQ(messages().count(), quint32(kFull));
        ASSERT_EQ(messages().index(), 1u);
        QTest::qWait(20);
    }

    // Station A sends over loopback; true once the listener acknowledged the packet.
    bool send(const QString &text)
    {
        const QByteArray packet = BuildStreamPacket({{}, text.toUtf8(), "ANN", '0', {}}, "127.0.0.2", 7777);
        return test::exchangeServingEvents("127.0.0.2", listenPort, packet) == QByteArray::number(packet.size());
    }

    // While the next question is open, `count` messages arrive and are handled, as they
    // would be in the box's own event loop.
    void arriveWhileAsked(int count)
    {
        prompter.whileOpen = [this, count] {
            prompter.whileOpen = nullptr;
            for (int i = 0; i < count; ++i) {
                const QString text = u"late %1"_s.arg(++m_late);
                ASSERT_TRUE(send(text));
                ASSERT_TRUE(waitUntil([&] { return newestText().endsWith(text.toUtf8()); }));
            }
            QTest::qWait(20);
        };
        prompter.answers = {Prompter::Answer::Yes};
    }

    void type(const QString &text)
    {
        MessageEdit *compose = view->composeBox();
        compose->setFocus();
        compose->selectAll();
        QTest::keyClicks(compose, text);
        ASSERT_FALSE(view->station().viewer().composeReplaceable());
    }
    void trigger(CTq20View::Command command) const { view->action(command)->trigger(); }

    const MessageList &messages() const { return view->station().viewer().messages(); }
    QByteArray newestText() const { return messages().newest() ? messages().newest()->text : QByteArray(); }
    QByteArray shownText() const { return messages().current() ? messages().current()->text : QByteArray(); }
    QString compose() const { return view->composeBox()->toPlainText(); }
    // What a reply to "message n" starts with.
    static QString quoteOf(int n) { return u">message %1\n>\n"_s.arg(n); }

    // The list is whole again, the question was asked once, and the pane shows what is current.
    void expectAskedOnceAndConsistent()
    {
        EXPECT_EQ(prompter.boxes.size(), 1);
        prompter.boxes.clear();
        EXPECT_EQ(messages().count(), quint32(kFull));
        EXPECT_TRUE(messages().isConsistent());
        const QByteArray body = shownText().mid(shownText().indexOf('\n') + 1);
        EXPECT_TRUE(view->messagePane()->toPlainText().endsWith(QString::fromUtf8(body)));
    }

    static constexpr int kFull = 100;
    std::unique_ptr<CMainFrame> frame;
    CTq20View *view = nullptr;
    int m_late = 0;
};

TEST_F(QuoteQuestionTest, PreviousToTheOldestWhichAnArrivalTrimsLeavesTheComposeBoxAlone)
{
    startWithFullList();
    trigger(CTq20View::Command::Next);
    type(u"my reply"_s);
    arriveWhileAsked(1);
    trigger(CTq20View::Command::Previous);

    expectAskedOnceAndConsistent();
    EXPECT_EQ(compose(), u"my reply"_s) << "the message the user said yes to has gone";
    EXPECT_TRUE(shownText().endsWith("message 2"));
}

TEST_F(QuoteQuestionTest, NextQuotesTheShownMessageWhenItStaysAndNothingWhenItIsTrimmed)
{
    startWithFullList();
    type(u"my reply"_s);
    // The arrival trims message 1, behind the shown message 2.
    arriveWhileAsked(1);
    trigger(CTq20View::Command::Next);
    expectAskedOnceAndConsistent();
    EXPECT_TRUE(shownText().endsWith("message 2"));
    EXPECT_EQ(compose(), quoteOf(2));

    // Now message 2 is the oldest; two arrivals trim it and message 3, the one asked about.
    type(u"second reply"_s);
    arriveWhileAsked(2);
    trigger(CTq20View::Command::Next);
    expectAskedOnceAndConsistent();
    EXPECT_TRUE(shownText().endsWith("message 4"));
    EXPECT_EQ(compose(), u"second reply"_s);
}

TEST_F(QuoteQuestionTest, DeleteOfTheOldestWhoseNeighbourAnArrivalTrimsLeavesTheComposeBoxAlone)
{
    startWithFullList();
    clock.advance(5000);
    type(u"my reply"_s);
    // Deleting message 1 shows message 2 and asks; two arrivals fill the list and trim it.
    arriveWhileAsked(2);
    trigger(CTq20View::Command::Delete);

    expectAskedOnceAndConsistent();
    EXPECT_TRUE(shownText().endsWith("message 3"));
    EXPECT_EQ(compose(), u"my reply"_s);
    EXPECT_TRUE(newestText().endsWith("late 2"));
}

} // namespace
} // namespace tq
