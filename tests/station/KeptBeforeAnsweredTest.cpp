// A sender hears that its message arrived only once the station has kept it: the message
// file is on the disk by then, or, with the disk nearly full, the message is in the list.
#include "messages/MessageFiles.h"
#include "platform/FreeSpace.h"
#include "protocol/CReceiveThread.h"
#include "protocol/CUDPReceiveThread.h"
#include "protocol/MessagePacket.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"
#include "station/MessageStation.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/ManualClock.h"
#include "support/QtPrinters.h"
#include "support/RecordingSoundPlayer.h"
#include "support/SignalWaiter.h"

#include <QDir>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::waitUntil;

class SwitchableFreeSpace : public FreeSpaceProbe {
public:
    bool nearlyFull(const QString &) const override { return full; }
    std::atomic<bool> full{false};
};

class KeptBeforeAnsweredTest : public test::IsolatedHome {
protected:
    KeptBeforeAnsweredTest()
    {
        settings.set(keys::SystemName, u"BOB"_s);
        settings.set(keys::StoreAndLoad, 1);
        settings.set(keys::EnableSound, 0);
    }
    void start()
    {
        station = std::make_unique<MessageStation>(settings, sound, clock, appDataDir());
        station->setFreeSpaceProbe(freeSpace);
        QObject::connect(station.get(), &MessageStation::sendProgress, station.get(),
                         [this](quint64 send, const QString &text) {
                             if (send == 0)
                                 notices.append(text);
                         });
        QObject::connect(station.get(), &MessageStation::diskSpaceChanged, station.get(),
                         [this](bool nearlyFull, const QString &) { tipChanges.push_back(nearlyFull); });
        station->overrideListenPorts(0, 0);
        station->StartProcesses();
        ASSERT_TRUE(waitUntil(
            [this] { return station->tcpReceiver()->boundPort() != 0 && station->udpReceiver()->boundPort() != 0; }));
    }
    // Every name in the messages folder, hidden ones included.
    QStringList folderEntries() const
    {
        return QDir(appDataDir() + u"messages"_s).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    bool send(const QByteArray &text)
    {
        const QByteArray packet = BuildStreamPacket({{}, text, "ANN", '0', {}}, "127.0.0.2", 7777);
        return test::exchangeServingEvents("127.0.0.2", station->tcpReceiver()->boundPort(), packet)
            == QByteArray::number(packet.size());
    }

    SettingsStore settings;
    test::RecordingSoundPlayer sound;
    test::ManualClock clock;
    std::shared_ptr<SwitchableFreeSpace> freeSpace = std::make_shared<SwitchableFreeSpace>();
    std::unique_ptr<MessageStation> station;
    QStringList notices;
    std::vector<bool> tipChanges;
};

TEST_F(KeptBeforeAnsweredTest, AnAcknowledgedOrConfirmedMessageIsInItsWholeFileAlready)
{
    start();
    for (int i = 1; i <= 20; ++i) {
        const QByteArray text = "Message from Ann to Bob.\r\n\r\nnumber " + QByteArray::number(i);
        ASSERT_TRUE(send(text));
        // Answered: the file is there, whole, under its final name, with nothing else beside it.
        const QStringList entries = folderEntries();
        ASSERT_EQ(entries.size(), i) << entries.join(u' ').toStdString();
        ASSERT_TRUE(entries.last().endsWith(u"ANN.tqm"_s));
        EXPECT_TRUE(test::readFile(appDataDir() + u"messages/"_s + entries.last()).endsWith(text));
    }

    const UniqueFd peer = test::udpSocket("127.0.0.3");
    ASSERT_TRUE(
        test::sendDatagram(peer.get(), station->udpReceiver()->boundPort(),
                           BuildDatagramPacket({{}, "Message from Carl to Bob.\r\n\r\nover UDP", "CARL", '0', {}},
                                               "127.0.0.3", test::boundPort(peer.get()))));
    const QByteArray receipt = test::receiveDatagramServingEvents(peer.get());
    ASSERT_FALSE(receipt.isEmpty());
    EXPECT_EQ(QDir(appDataDir() + u"messages"_s).entryList({u"*CARL.tqm"_s}, QDir::Files).size(), 1)
        << "confirmed before its file was on the disk";
}

TEST_F(KeptBeforeAnsweredTest, WithStoreAndLoadOffTheListIsWhereTheMessageIsKept)
{
    settings.set(keys::StoreAndLoad, 0);
    start();
    ASSERT_TRUE(send("Message from Ann to Bob.\r\n\r\nin memory"));
    EXPECT_EQ(station->messages().count(), 1u);
    EXPECT_TRUE(folderEntries().isEmpty());
}

TEST_F(KeptBeforeAnsweredTest, WhileTheDiskIsNearlyFullMessagesStayInMemoryAndNothingFilteredIsWritten)
{
    ASSERT_TRUE(test::writeFile(appDataDir() + u"KillFile.tqm"_s, "lottery\r\n"));
    const QString deadPath = appDataDir() + u"outfiltered.txt"_s;
    start();
    freeSpace->full = true;
    ASSERT_TRUE(send("Message from Ann to Bob.\r\n\r\nfirst while full"));
    ASSERT_TRUE(send("Message from Ann to Bob.\r\n\r\nsecond while full"));
    ASSERT_TRUE(send("Message from Ann to Bob.\r\n\r\nwin the lottery")) << "filtered, and kept by the rules";
    EXPECT_EQ(station->messages().count(), 2u);
    EXPECT_TRUE(folderEntries().isEmpty());
    EXPECT_FALSE(QFile::exists(deadPath));
    EXPECT_EQ(notices, QStringList{tqString(Sid::DiskNearlyFull)}) << "said once";
    EXPECT_EQ(tipChanges, std::vector<bool>{true});

    freeSpace->full = false;
    ASSERT_TRUE(send("Message from Ann to Bob.\r\n\r\nspace is back"));
    EXPECT_EQ(folderEntries().size(), 1);
    ASSERT_TRUE(send("Message from Ann to Bob.\r\n\r\nthe lottery again"));
    EXPECT_TRUE(test::readFile(deadPath).contains("the lottery again"));
    EXPECT_EQ(notices, (QStringList{tqString(Sid::DiskNearlyFull), tqString(Sid::DiskSpaceBack)}));
    EXPECT_EQ(tipChanges, (std::vector<bool>{true, false}));
    // The messages kept in memory are still there, without files.
    EXPECT_EQ(station->messages().count(), 3u);
}

} // namespace
} // namespace tq
