#include "addressbook/DestinationComboBox.h"
#include "app/CFailedHostsDlg.h"
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "protocol/MessagePacket.h"
#include "queue/ReceiptBoard.h"
#include "queue/RetryScheduler.h"
#include "queue/WaitingMessagesWindow.h"

#include "app/DeliveryLaterControls.h"
#include "app/MainFrameFixture.h"
#include "protocol/ListeningStation.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTest>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

// Delivery later as the main window runs it: the failed-hosts dialog keeps the message, the
// tray tip counts what waits, an arrival from the host tries it again, the receipts follow the
// UDP receiver, and "Waiting Messages" opens one window.
class MainFrameDeliveryLaterTest : public test::MainFrameFixture {
protected:
    MainFrameDeliveryLaterTest()
    {
        settings.set(keys::SystemName, u"BOBPC"_s);
        // No periodic round during the test: only what the test does tries the entries again.
        settings.set(keys::RetryInterval, 3600);
    }
    // Ports nobody listens on, enough for the failed destinations to get their dialog.
    static QList<int> closedPorts(int count)
    {
        QSet<int> ports;
        while (ports.size() < count)
            ports.insert(test::unusedTcpPort());
        return ports.values();
    }
    void arriveFromLoopback(CMainFrame &frame)
    {
        const QByteArray packet =
            BuildStreamPacket({{}, "Message from Ann to Bob.\r\n\r\nI am back", "ANN", '0', {}}, "127.0.0.1", 7010);
        frame.station().OnIncomingMessage(Transport::Tcp, {quint32(packet.size()), "127.0.0.1", packet});
    }
};

TEST_F(MainFrameDeliveryLaterTest, TheFailedHostsDialogKeepsTheMessageUntilTheStationIsBack)
{
    auto frame = runningFrame();
    RetryScheduler &scheduler = frame->deliveryLater().scheduler();
    const QList<int> ports = closedPorts(11);
    QStringList destinations;
    for (const int closed : ports)
        destinations.append(u"127.0.0.1:%1"_s.arg(closed));
    CTq20View &view = *frame->view();
    view.destinationBox()->setEditText(destinations.join(u';'));
    view.composeBox()->setPlainText(u"see you later"_s);
    view.SendOutgoing('0');

    CFailedHostsDlg *dialog = nullptr;
    ASSERT_TRUE(test::waitUntil(
        [&] { return (dialog = frame->findChild<CFailedHostsDlg *>()) != nullptr && dialog->isVisible(); }, 15000));
    auto *keep = dialog->findChild<QPushButton *>(u"deliverLaterButton"_s);
    ASSERT_NE(keep, nullptr);
    ASSERT_TRUE(keep->isVisible());
    QTest::mouseClick(keep, Qt::LeftButton);

    ASSERT_TRUE(test::waitUntil([&] { return scheduler.count() == 11; }));
    EXPECT_EQ(scheduler.queue().entries().size(), 11) << "each entry is a file of the queue folder";
    EXPECT_TRUE(frame->statusPane(0)->text().startsWith(u"Kept for delivery when reachable: "_s));
    ASSERT_TRUE(test::waitUntil([&] { return tray.toolTip.contains(u"(11 waiting)"_s); }))
        << tray.toolTip.toStdString();

    // The first destination's station starts; a message from that host has it tried at once.
    test::ListeningStation station(ports.first());
    ASSERT_EQ(station.port(), ports.first());
    arriveFromLoopback(*frame);
    ASSERT_TRUE(test::waitUntil([&] { return station.packets.size() == 1; }, 15000));
    ASSERT_TRUE(test::waitUntil([&] { return scheduler.count() == 10; }, 15000));
    EXPECT_TRUE(station.packets.first().contains("see you later"));
    ASSERT_TRUE(test::waitUntil([&] { return frame->statusPane(0)->text().startsWith(u"Delivered to "_s); }))
        << frame->statusPane(0)->text().toStdString();
    ASSERT_TRUE(test::waitUntil([&] { return tray.toolTip.contains(u"(10 waiting)"_s); }))
        << tray.toolTip.toStdString();
}

TEST_F(MainFrameDeliveryLaterTest, TheSmallBoxOfFailedHostsKeepsTheMessageToo)
{
    auto frame = runningFrame();
    RetryScheduler &scheduler = frame->deliveryLater().scheduler();
    const QList<int> ports = closedPorts(2);
    const QStringList destinations{u"127.0.0.1:%1"_s.arg(ports[0]), u"127.0.0.1:%1"_s.arg(ports[1])};
    prompter.actions = {true};
    CTq20View &view = *frame->view();
    view.destinationBox()->setEditText(destinations.join(u';'));
    view.composeBox()->setPlainText(u"see you later"_s);
    view.SendOutgoing('0');

    ASSERT_TRUE(test::waitUntil([&] { return scheduler.count() == 2; }, 15000));
    QStringList waiting;
    for (const QueuedMessage &entry : scheduler.queue().entries()) {
        waiting.append(entry.destination);
        EXPECT_TRUE(entry.streamPacket.contains("see you later"));
    }
    waiting.sort();
    QStringList expected = destinations;
    expected.sort();
    EXPECT_EQ(waiting, expected);
    const auto box = std::find_if(prompter.boxes.begin(), prompter.boxes.end(),
                                  [](const auto &shown) { return !shown.actionText.isEmpty(); });
    ASSERT_NE(box, prompter.boxes.end());
    EXPECT_EQ(box->caption, u"2 host(s) not found!"_s);
}

TEST_F(MainFrameDeliveryLaterTest, ReceiptsAreHeardWhileTheUdpReceiverListens)
{
    auto frame = runningFrame();
    ASSERT_TRUE(test::waitUntil([&] { return frame->deliveryLater().receipts().isListening(); }));
    frame->StopProcesses();
    EXPECT_FALSE(frame->deliveryLater().receipts().isListening());
}

TEST_F(MainFrameDeliveryLaterTest, WaitingMessagesOpensOneWindowAndTheDiskStateReachesTheTrayTip)
{
    auto frame = runningFrame();
    QAction *entry = action(*frame, "actionWaitingMessages");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(frame->findChild<QMenu *>(u"viewMenu"_s)->actions().contains(entry));
    entry->trigger();
    WaitingMessagesWindow *window = frame->deliveryLater().window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    entry->trigger();
    EXPECT_EQ(frame->deliveryLater().window(), window);
    EXPECT_EQ(frame->findChildren<WaitingMessagesWindow *>().size(), 1);

    Q_EMIT frame->station().diskSpaceChanged(true, u"Disk full"_s);
    EXPECT_TRUE(tray.toolTip.endsWith(u"\nDisk full"_s)) << tray.toolTip.toStdString();
    Q_EMIT frame->station().diskSpaceChanged(false, u"Room again"_s);
    EXPECT_FALSE(tray.toolTip.contains(u"Disk full"_s)) << tray.toolTip.toStdString();
}

} // namespace
} // namespace tq
