// The "Waiting Messages" window over a real queue and retry thread.
#include "QueueTestSupport.h"

#include "app/CFailedHostsDlg.h"
#include "protocol/SendRequest.h"
#include "queue/DeliveryQueue.h"
#include "queue/NetworkDeliverer.h"
#include "queue/QueueUnconfirmed.h"
#include "queue/ReceiptBoard.h"
#include "queue/RetryScheduler.h"
#include "queue/WaitingMessagesWindow.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/RecordingSoundPlayer.h"
#include "support/SignalWaiter.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::waitingMessage;
using Column = WaitingMessagesWindow::Column;

class WaitingMessagesWindowTest : public test::QueueFixture {
protected:
    WaitingMessagesWindowTest()
    {
        // Only what the test asks for is tried.
        settings.set(keys::RetryInterval, 3600);
    }

    QString add(QueuedMessage entry) { return DeliveryQueue(appDataDir()).add(entry).id; }

    QTreeWidget *list() const { return window->findChild<QTreeWidget *>(QStringLiteral("waitingList")); }
    QPushButton *button(const char *name) const { return window->findChild<QPushButton *>(QLatin1String(name)); }
    QString status() const { return window->findChild<QLabel *>(QStringLiteral("statusText"))->text(); }

    void open()
    {
        scheduler.start();
        window = std::make_unique<WaitingMessagesWindow>(scheduler);
        window->show();
    }

    void select(int row) { list()->topLevelItem(row)->setSelected(true); }

    RetryScheduler scheduler{appDataDir(), std::make_shared<NetworkDeliverer>(std::make_shared<ReceiptBoard>()),
                             settings};
    std::unique_ptr<WaitingMessagesWindow> window;
};

TEST_F(WaitingMessagesWindowTest, EachWaitingMessageShowsWhereItGoesItsFirstLineAndHowItsLastAttemptWent)
{
    QueuedMessage tried =
        waitingMessage(QStringLiteral("Bob/127.0.0.5"), SendTransport::Tcp, 7777, "\r\nLunch at noon?\r\nSecond line");
    tried.attempts = 2;
    tried.lastAttemptAt = tried.queuedAt.addSecs(300);
    tried.lastOutcome = DeliveryOutcome::Refused;
    add(tried);
    QueuedMessage fresh =
        waitingMessage(QStringLiteral("carl-pc.invalid:8000u"), SendTransport::Udp, 8000, "Build is green");
    fresh.queuedAt = fresh.queuedAt.addSecs(60);
    add(fresh);
    open();

    ASSERT_EQ(list()->topLevelItemCount(), 2);
    const QTreeWidgetItem *bob = list()->topLevelItem(0);
    EXPECT_EQ(bob->text(Column::DestinationColumn), QStringLiteral("Bob/127.0.0.5"));
    EXPECT_EQ(bob->text(Column::MessageColumn), QStringLiteral("Lunch at noon?"));
    EXPECT_FALSE(bob->text(Column::QueuedColumn).isEmpty());
    EXPECT_FALSE(bob->text(Column::LastAttemptColumn).isEmpty());
    EXPECT_EQ(bob->text(Column::ResultColumn), outcomeText(DeliveryOutcome::Refused));
    const QTreeWidgetItem *carl = list()->topLevelItem(1);
    EXPECT_EQ(carl->text(Column::DestinationColumn), QStringLiteral("carl-pc.invalid:8000u"));
    EXPECT_EQ(carl->text(Column::MessageColumn), QStringLiteral("Build is green"));
    EXPECT_TRUE(carl->text(Column::LastAttemptColumn).isEmpty());
    EXPECT_TRUE(carl->text(Column::ResultColumn).isEmpty());
    EXPECT_FALSE(button("cancelButton")->isEnabled()); // nothing selected yet
}

TEST_F(WaitingMessagesWindowTest, CancelTakesTheSelectedMessageOutOfTheQueue)
{
    add(waitingMessage(QStringLiteral("Bob/127.0.0.5"), SendTransport::Tcp, 7777));
    const QString carl = add(waitingMessage(QStringLiteral("Carl/127.0.0.6"), SendTransport::Tcp, 7777));
    open();
    select(0);
    ASSERT_TRUE(button("cancelButton")->isEnabled());
    QTest::mouseClick(button("cancelButton"), Qt::LeftButton);

    ASSERT_EQ(list()->topLevelItemCount(), 1);
    EXPECT_EQ(list()->topLevelItem(0)->text(Column::DestinationColumn), QStringLiteral("Carl/127.0.0.6"));
    const QList<QueuedMessage> left = DeliveryQueue(appDataDir()).entries();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0].id, carl);
    EXPECT_EQ(scheduler.count(), 1);
}

TEST_F(WaitingMessagesWindowTest, AMessageBeingDeliveredElsewhereIsNotCancelled)
{
    const QString id = add(waitingMessage(QStringLiteral("Bob/127.0.0.5"), SendTransport::Tcp, 7777));
    open();
    QueueClaim::Status claimStatus{};
    const std::optional<QueueClaim> elsewhere = DeliveryQueue(appDataDir()).claim(id, claimStatus);
    ASSERT_TRUE(elsewhere);
    select(0);
    QTest::mouseClick(button("cancelButton"), Qt::LeftButton);
    EXPECT_EQ(list()->topLevelItemCount(), 1);
    EXPECT_EQ(status(), QStringLiteral("This message is being delivered right now."));
    EXPECT_TRUE(DeliveryQueue(appDataDir()).read(id));
}

TEST_F(WaitingMessagesWindowTest, RetryNowDeliversTheSelectedMessageAndTheListFollows)
{
    test::RefusingPort place;
    const int port = place.port();
    const QueuedMessage message = waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, port);
    add(message);
    test::TcpStationAt station(place);
    open();
    select(0);
    QTest::mouseClick(button("retryButton"), Qt::LeftButton);
    ASSERT_TRUE(test::waitUntil([&] { return list()->topLevelItemCount() == 0; }));
    EXPECT_EQ(station.packets, QList<QByteArray>{message.streamPacket});
    EXPECT_EQ(status(), QStringLiteral("No message is waiting."));
    EXPECT_FALSE(button("retryButton")->isEnabled());
}

// The road from the failed-hosts dialog: its button keeps the network destinations the send
// could not confirm (not the e-mail one), the window lists them, and Retry now delivers the
// very bytes of the send once the station is there.
TEST_F(WaitingMessagesWindowTest, DeliverWhenReachableKeepsTheFailedDestinationsAndTheWindowDeliversThem)
{
    test::RefusingPort place;
    const QueuedMessage sent = waitingMessage(QStringLiteral("Bob/127.0.0.1"), SendTransport::Tcp, place.port());
    SendRequest request;
    request.streamPacket = sent.streamPacket;
    request.datagramPacket = sent.datagramPacket;
    request.tcpPort = place.port();
    request.udpPort = place.port();
    open();

    test::RecordingSoundPlayer sounds;
    CFailedHostsDlg dialog(QStringLiteral("2 host(s) not found!"),
                           QStringLiteral("Bob/127.0.0.1\r\nCarl/carl@example.org"), sounds);
    QObject::connect(&dialog, &CFailedHostsDlg::deliverLaterRequested, &dialog, [&](const QStringList &destinations) {
        queueUnconfirmed(scheduler.queue(), request, destinations, 2, QDateTime::currentDateTimeUtc());
    });
    dialog.offerDeliveryLater(true);
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("deliverLaterButton")), Qt::LeftButton);

    // The window sees the queue change on the disk, as it sees what another process queues.
    ASSERT_TRUE(test::waitUntil([&] { return list()->topLevelItemCount() == 1; }));
    EXPECT_EQ(list()->topLevelItem(0)->text(Column::DestinationColumn), QStringLiteral("Bob/127.0.0.1"));
    EXPECT_EQ(list()->topLevelItem(0)->text(Column::MessageColumn), QStringLiteral("Hello Bob"));

    test::TcpStationAt station(place);
    select(0);
    QTest::mouseClick(button("retryButton"), Qt::LeftButton);
    ASSERT_TRUE(test::waitUntil([&] { return list()->topLevelItemCount() == 0; }));
    EXPECT_EQ(station.packets, QList<QByteArray>{sent.streamPacket});
}

} // namespace
} // namespace tq
