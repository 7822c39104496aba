#include "messages/StandaloneView.h"
#include "support/Files.h"

#include "messages/AnswerFile.h"
#include "protocol/MessagePacket.h"
#include "protocol/SendTasks.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace tq {
namespace {

class ViewAnswersTest : public test::StandaloneView {
protected:
    // A message from station `systemName` arriving over TCP from `fromIp`, shown once the
    // arrival has been worked off.
    void arrive(const QByteArray &text, const QByteArray &systemName = "BOBPC", const QByteArray &fromIp = "10.0.0.7")
    {
        const QByteArray packet = BuildStreamPacket({{}, text, systemName, '0', {}}, fromIp, 7010);
        const qsizetype before = view->station().viewer().messages().count();
        view->station().OnIncomingMessage(Transport::Tcp, {quint32(packet.size()), fromIp, packet});
        ASSERT_EQ(view->station().viewer().messages().count(), before + 1);
        // The display runs when the queue of arrivals is empty.
        QTest::qWait(50);
    }

    void writeAnswer(const QByteArray &bytes) { ASSERT_TRUE(test::writeFile(answerFilePath(appDataDir()), bytes)); }
    QByteArray answerFileBytes() const { return test::readFile(answerFilePath(appDataDir()), "<missing>"); }
    void toggle() { view->autoAnswerCheck()->click(); }
};

TEST_F(ViewAnswersTest, ArrivalQuotesIntoABlankComposeBoxButNeverOverTheUsersText)
{
    start();
    arrive("Message from Bob to Ann.\r\n\r\nHi\r\n\r\nthere");
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral(">Hi\n>\n>there\n>\n"));
    EXPECT_EQ(box()->currentText(), QStringLiteral("BOBPC/10.0.0.7"));
    EXPECT_EQ(selected(), compose()->toPlainText());
    EXPECT_TRUE(compose()->hasFocus());
    EXPECT_TRUE(view->station().viewer().composeReplaceable());

    // Typing replaces the selected quote; from then on an arrival changes neither the
    // compose box nor the destination.
    box()->setEditText(QStringLiteral("Cy"));
    type(QStringLiteral("my reply"));
    arrive("Message from Di to Ann.\r\n\r\nnews", "DIPC", "10.0.0.8");
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("my reply"));
    EXPECT_EQ(box()->currentText(), QStringLiteral("Cy"));
    EXPECT_TRUE(prompter.boxes.isEmpty()) << "an arrival never asks";
}

TEST_F(ViewAnswersTest, PagingAsksBeforeReplacingTheUsersTextAndNoKeepsIt)
{
    start();
    arrive("Message from Bob to Ann.\r\n\r\nfirst");
    arrive("Message from Di to Ann.\r\n\r\nsecond", "DIPC", "10.0.0.8");
    type(QStringLiteral("draft"));

    prompter.answers = {Prompter::Answer::No};
    view->ShowPreviousMessage();
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_TRUE(compose()->toPlainText().endsWith(QStringLiteral("draft")));
    EXPECT_EQ(box()->currentText(), QStringLiteral("BOBPC/10.0.0.7")) << "the destination follows all the same";

    prompter.answers = {Prompter::Answer::Yes};
    view->ShowNextMessage();
    EXPECT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral(">second\n>\n"));
    EXPECT_TRUE(view->station().viewer().composeReplaceable());

    // With nothing of the user's the quote follows without a question.
    view->ShowPreviousMessage();
    EXPECT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral(">first\n>\n"));
}

TEST_F(ViewAnswersTest, SwitchingOnAndOffWithoutEditingKeepsTheAnswerWithALineEnd)
{
    writeAnswer("Away until Monday.\r\nAnn");
    start();
    arrive("Message from Bob to Ann.\r\n\r\nHi");

    toggle();
    EXPECT_TRUE(view->station().viewer().autoAnswerMode());
    EXPECT_FALSE(view->sendButton()->isEnabled());
    EXPECT_EQ(modePane.text(), QStringLiteral("AutoAnswer mode."));
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("Away until Monday.\nAnn\n"));
    EXPECT_TRUE(view->station().viewer().composeReplaceable());

    // Paging still moves the destination, but leaves the answer text alone and asks nothing.
    box()->setEditText(QStringLiteral("Cy"));
    view->ShowPreviousMessage();
    view->ShowNextMessage();
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("Away until Monday.\nAnn\n"));

    toggle();
    EXPECT_TRUE(view->sendButton()->isEnabled());
    EXPECT_EQ(modePane.text(), QStringLiteral("Ready."));
    EXPECT_EQ(answerFileBytes(), QByteArray("Away until Monday.\r\nAnn\r\n"));
    // The shown message comes back as the quote, to its sender.
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral(">Hi\n>\n"));
    EXPECT_EQ(box()->currentText(), QStringLiteral("BOBPC/10.0.0.7"));
    EXPECT_EQ(selected(), compose()->toPlainText());
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(ViewAnswersTest, SwitchingOnAfterTypingAppendsTheAnswerSelectedAndOffKeepsEverything)
{
    writeAnswer("Back soon.\r\n");
    start();
    type(QStringLiteral("Gone for lunch"));
    ASSERT_FALSE(view->station().viewer().composeReplaceable());

    toggle();
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("Gone for lunch\nBack soon.\n"));
    EXPECT_EQ(selected(), QStringLiteral("Back soon.\n"));
    EXPECT_TRUE(compose()->hasFocus());
    EXPECT_TRUE(view->station().viewer().composeReplaceable());

    // No message on hand: switching off leaves the text as it stands, selected.
    toggle();
    EXPECT_EQ(answerFileBytes(), QByteArray("Gone for lunch\r\nBack soon.\r\n"));
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("Gone for lunch\nBack soon.\n"));
    EXPECT_EQ(selected(), compose()->toPlainText());
}

TEST_F(ViewAnswersTest, WithoutAnAnswerFileTheModeStillGoesOnAndAnUnwritableFileIsSilent)
{
    start();
    type(QStringLiteral("mine"));
    toggle();
    EXPECT_TRUE(view->station().viewer().autoAnswerMode());
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("mine"));

    // A folder where the file should be: the write fails, the mode goes off all the same.
    ASSERT_TRUE(QDir().mkpath(answerFilePath(appDataDir())));
    toggle();
    EXPECT_FALSE(view->station().viewer().autoAnswerMode());
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_TRUE(QFileInfo(answerFilePath(appDataDir())).isDir());
}

TEST_F(ViewAnswersTest, OnlyMessagesFromOtherStationsAreAnsweredToTheDestinationBox)
{
    test::ListeningStation peer;
    writeAnswer("Away.\r\n");
    // An automatic answer goes without the signature, and no arrival raises the window.
    settings.set(keys::Signature, QStringLiteral("-- Ann"));
    settings.set(keys::Popup, 1);
    start();
    view->station().setOwnAddress("10.0.0.9");
    view->station().reloadSettings();
    int restores = 0;
    QObject::connect(station.get(), &MessageStation::arrivalsSettled, station.get(),
                     [&](const ArrivalSummary &summary) { restores += summary.restoreWindow ? 1 : 0; });
    const QString away = peer.address();
    box()->setEditText(away);
    toggle();

    // Loopback and the own address are this machine: no answer to them. Nor to another
    // station's automatic answer, or two away stations would answer each other for ever.
    arrive("Message from Me to Ann.\r\n\r\nlocal", "ANNPC", "127.0.0.1");
    arrive("Message from Me to Ann.\r\n\r\nown", "ANNPC", "10.0.0.9");
    arrive("Autoanswer from Cy.\r\n\r\nAway too.", "CYPC", "10.0.0.8");
    arrive("Message from Bob to Ann.\r\n\r\nremote");
    ASSERT_TRUE(test::waitUntil([&] { return !peer.packets.isEmpty(); }));
    ASSERT_TRUE(test::waitUntil([&] { return view->station().runningSends() == 0; }));
    QTest::qWait(100);
    ASSERT_EQ(peer.packets.size(), 1);
    EXPECT_EQ(
        peer.packets[0],
        BuildStreamPacket({{}, "Autoanswer from Ann Author.\r\n\r\nAway.\r\n", "ANNPC", '0', {}}, "10.0.0.9", 7010));

    // Nothing in the window moved for the arrivals.
    EXPECT_EQ(box()->currentText(), away);
    EXPECT_EQ(compose()->toPlainText(), QStringLiteral("Away.\n"));
    EXPECT_EQ(view->station().viewer().messages().count(), 4);
    EXPECT_TRUE(timePane.text().isEmpty());
    EXPECT_FALSE(view->sendTimerRunning());
    EXPECT_EQ(restores, 0);
}

} // namespace
} // namespace tq
