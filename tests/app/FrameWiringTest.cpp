#include "addressbook/AddressBookStore.h"
#include "addressbook/DestinationComboBox.h"
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "protocol/MessagePacket.h"
#include "support/SignalWaiter.h"

#include "MainFrameFixture.h"

#include <QLabel>
#include <QTest>

namespace tq {
namespace {

class FrameWiringTest : public test::MainFrameFixture {};

TEST_F(FrameWiringTest, AfterTheAddressBookDialogTheDestinationListShowsTheChange)
{
    auto frame = makeFrame();
    frame->initialUpdate();
    CTq20View &view = *frame->view();
    EXPECT_EQ(view.destinationBox()->findText(QStringLiteral("Carol/10.0.0.9")), -1);

    int runs = 0;
    frame->setAddressBookDialog([&](QWidget *) {
        ++runs;
        AddressBookStore(settings).PutUser(QString(), QStringLiteral("Carol"), QStringLiteral("10.0.0.9"));
        return true;
    });
    frame->OnAddressBook();
    EXPECT_EQ(runs, 1);
    EXPECT_NE(view.destinationBox()->findText(QStringLiteral("Carol/10.0.0.9")), -1);
}

TEST_F(FrameWiringTest, ASendsOutcomeReachesTheFramesHandlerAndStopsTheTimer)
{
    auto frame = makeFrame();
    frame->initialUpdate();
    CTq20View &view = *frame->view();
    settings.set(keys::Delay, 1500);
    view.reloadSettings();
    // A port nobody listens on: the send ends with one failed destination.
    view.destinationBox()->setEditText(QStringLiteral("127.0.0.1:%1").arg(test::unusedTcpPort()));
    view.composeBox()->setPlainText(QStringLiteral("hello"));
    view.SendOutgoing('0');

    ASSERT_TRUE(test::waitUntil([&] { return !prompter.boxes.isEmpty(); }, 10000));
    EXPECT_EQ(prompter.boxes.last().caption, QStringLiteral("1 host(s) not found!"));
    EXPECT_EQ(frame->statusPane(0)->text(), QStringLiteral("Message has NOT been send to some host!"));
    const QString shownTime = frame->statusPane(1)->text();
    QTest::qWait(60);
    EXPECT_EQ(frame->statusPane(1)->text(), shownTime) << "the elapsed time stops with the report";
}

TEST_F(FrameWiringTest, AnArrivalWhileTheWindowIsAwayIsAnnouncedOnTheTray)
{
    settings.set(keys::StoreAndLoad, 0);
    auto frame = makeFrame();
    frame->initialUpdate();
    const QByteArray packet
        = BuildStreamPacket({{}, "Message from Ann to Bob.\r\n\r\nHello", "ANNPC", '0', {}}, "10.0.0.7", 7010);
    frame->view()->OnIncomingMessage(Transport::Tcp, {quint32(packet.size()), "10.0.0.7", packet});
    ASSERT_TRUE(test::waitUntil([&] { return !tray.messages.isEmpty(); }));
    EXPECT_EQ(tray.messages.last().text, QStringLiteral("Message from Ann to Bob."));
}

} // namespace
} // namespace tq
