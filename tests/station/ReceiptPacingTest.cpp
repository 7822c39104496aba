// Delivery receipts through the real receivers when the reply port of a datagram points at
// a third party: the station must not become a loudspeaker for forged datagrams.
#include "protocol/CUDPReceiveThread.h"
#include "protocol/MessagePacket.h"
#include "settings/SettingsStore.h"
#include "station/MessageStation.h"

#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/ManualClock.h"
#include "support/RecordingSoundPlayer.h"
#include "support/SignalWaiter.h"

#include <QDir>

#include <gtest/gtest.h>

#include <sys/socket.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::waitUntil;

class ReceiptPacingTest : public test::IsolatedHome {
protected:
    ReceiptPacingTest()
    {
        settings.set(keys::UdpPort, 7011);
        settings.set(keys::StoreAndLoad, 1);
        settings.set(keys::EnableSound, 0);
        const int room = 4 * 1024 * 1024;
        ::setsockopt(victim.get(), SOL_SOCKET, SO_RCVBUF, &room, sizeof room);
    }

    // Datagrams from 127.0.0.2 whose reply address names the victim's port: the receipts go to
    // the victim, a third party at the forged source address.
    void sendForged(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QByteArray text = "Message from X to Y.\r\n\r\nseq " + QByteArray::number(sent++);
            ASSERT_TRUE(test::sendDatagram(
                forger.get(), station.udpReceiver()->boundPort(),
                BuildDatagramPacket({{}, text, "FORGED", '0', {}}, "10.9.9.9", test::boundPort(victim.get()))));
        }
    }
    // Waits until every datagram sent has either brought a receipt to the victim or been
    // held back; returns the receipts the victim got.
    int receiptsAtVictim()
    {
        const auto accounted = [this] {
            while (!test::receiveDatagram(victim.get(), 0).isEmpty())
                ++receipts;
            return receipts + static_cast<int>(station.incomingHandler().receiptsNotSent()) >= sent;
        };
        EXPECT_TRUE(waitUntil(accounted));
        return receipts;
    }

    SettingsStore settings;
    test::RecordingSoundPlayer sound;
    test::ManualClock clock;
    MessageStation station{settings, sound, clock, appDataDir()};
    const UniqueFd victim = test::udpSocket("127.0.0.2");
    const UniqueFd forger = test::udpSocket("127.0.0.2");
    int sent = 0;
    int receipts = 0;
};

TEST_F(ReceiptPacingTest, ReceiptsToOneAddressArePacedAndEveryMessageIsStillKept)
{
    // The settings were made after the station.
    station.reloadSettings();
    station.overrideListenPorts(0, 0);
    station.StartProcesses();
    ASSERT_TRUE(waitUntil([this] { return station.udpReceiver() && station.udpReceiver()->boundPort() != 0; }));

    sendForged(80);
    EXPECT_EQ(receiptsAtVictim(), 50) << "a burst of fifty";
    EXPECT_EQ(station.incomingHandler().receiptsNotSent(), 30u);

    clock.advance(1000);
    sendForged(30);
    EXPECT_EQ(receiptsAtVictim(), 70) << "then twenty a second";
    EXPECT_EQ(station.incomingHandler().receiptsNotSent(), 40u);

    station.flushFiles();
    const QStringList files = QDir(appDataDir() + u"messages/"_s).entryList({u"*FORGED.tqm"_s}, QDir::Files);
    EXPECT_EQ(files.size(), 110) << "a message whose receipt was held back is kept all the same";
}

} // namespace
} // namespace tq
