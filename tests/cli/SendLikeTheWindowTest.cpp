// The real window and "tarquel send" with the same settings send the same bytes: the window's
// compose box, destination field and Send button against the command line, to one station.
#include "TarquelProcess.h"

#include "app/CMainFrame.h"
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "protocol/ListeningStation.h"

#include "app/MainFrameFixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::waitUntil;

class TarquelSendLikeTheWindow : public test::MainFrameFixture { };

TEST_F(TarquelSendLikeTheWindow, TheWindowsSendButtonAndTarquelSendGiveTheSameBytes)
{
    settings.set(keys::SystemName, u"ALICE"_s);
    settings.set(keys::FullName, u"Alice Example"_s);
    settings.set(keys::Signature, u"-- \nAlice"_s);
    test::ListeningStation peer;
    const QString destination = u"Bob/"_s + peer.address();

    const auto frame = makeFrame();
    frame->show();
    CTq20View *view = frame->view();
    view->destinationBox()->setEditText(destination);
    view->composeBox()->setFocus();
    QTest::keyClicks(view->composeBox(), u"Disk full on build-3"_s);
    QTest::keyClick(view->composeBox(), Qt::Key_Return);
    // Key events carry ASCII only; a letter beyond it comes as an input method gives it.
    view->composeBox()->insertPlainText(u"Grüße"_s);
    view->sendButton()->click();
    ASSERT_TRUE(waitUntil([&peer] { return peer.packets.size() == 1; }));

    const auto run = test::runTarquel({u"send"_s, destination, u"-m"_s, u"Disk full on build-3\nGrüße"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_TRUE(waitUntil([&peer] { return peer.packets.size() == 2; }));
    EXPECT_EQ(peer.packets.at(1), peer.packets.at(0));
    EXPECT_TRUE(peer.packets.at(0).contains("Disk full on build-3\r\nGr\xc3\xbc\xc3\x9f"
                                            "e\r\n-- \r\nAlice"))
        << peer.packets.at(0).toStdString();
}

} // namespace
} // namespace tq
