#pragma once
// The fixture of the incoming road tests: the real receivers and the station, with no window.
#include "messages/DisplayText.h"
#include "protocol/CReceiveThread.h"
#include "protocol/CUDPReceiveThread.h"
#include "protocol/MessagePacket.h"
#include "settings/SettingsStore.h"
#include "station/MessageStation.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/ManualClock.h"
#include "support/RecordingSoundPlayer.h"
#include "support/SignalWaiter.h"

#include <QDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tq::test {

using namespace Qt::StringLiterals;

inline int sequenceOf(const QByteArray &text)
{
    return text.mid(text.lastIndexOf("seq ") + 4).toInt();
}

// Station B is the program; the test plays station A and the other senders from further
// loopback addresses. B's settings name ports of their own; it listens on ports the system
// chose, so that no other program can take them first.
class IncomingRoadTest : public IsolatedHome {
protected:
    IncomingRoadTest()
    {
        settings.set(keys::TcpPort, port);
        settings.set(keys::UdpPort, udpPort);
        settings.set(keys::SystemName, u"BOB"_s);
        settings.set(keys::EmailAddress, u"bob@example.org"_s);
        settings.set(keys::StoreAndLoad, 1);
    }

    // The program starts: its receivers, then the stored messages.
    void start()
    {
        station = std::make_unique<MessageStation>(settings, sound, clock, appDataDir());
        QObject::connect(station.get(), &MessageStation::arrivalsSettled, station.get(),
                         [this](const ArrivalSummary &summary) { settled.push_back(summary); });
        QObject::connect(station.get(), &MessageStation::userError, station.get(),
                         [this](const QString &text) { told.append(text); });
        station->overrideListenPorts(0, 0);
        station->StartProcesses();
        station->loadStoredMessages();
        ASSERT_TRUE(waitUntil([this] { return listenPort() != 0 && udpListenPort() != 0; }));
    }
    int listenPort() const { return station->tcpReceiver() ? station->tcpReceiver()->boundPort() : 0; }
    int udpListenPort() const { return station->udpReceiver() ? station->udpReceiver()->boundPort() : 0; }

    const MessageList &messages() const { return station->messages(); }
    // What the window shows of the current message once the arrivals have been worked off.
    QString shownText() const
    {
        return messages().current() ? recordDisplayText(messages().current()->text) : QString();
    }
    QString messagesDir() const { return appDataDir() + u"messages/"_s; }
    QStringList filesOf(const QString &systemName) const
    {
        return QDir(messagesDir()).entryList({u"*"_s + systemName + u".tqm"_s}, QDir::Files, QDir::Name);
    }
    // Sequence numbers of the messages stored for `systemName`, in file-name (arrival) order.
    std::vector<int> storedSequence(const QString &systemName) const
    {
        std::vector<int> sequence;
        for (const QString &name : filesOf(systemName))
            sequence.push_back(sequenceOf(readFile(messagesDir() + name)));
        return sequence;
    }
    // Sends from station A, 127.0.0.2; true when the packet was acknowledged with its length.
    bool send(const QByteArray &name, const QByteArray &text, int replyPort = 7777)
    {
        const QByteArray packet = BuildStreamPacket({{}, text, name, '0', "ann@example.org"}, "127.0.0.2", replyPort);
        return test::exchangeServingEvents("127.0.0.2", listenPort(), packet) == QByteArray::number(packet.size());
    }

    // The ports the settings name, which the station's packets and sender addresses use.
    const int port = 7010;
    const int udpPort = 7011;
    SettingsStore settings;
    RecordingSoundPlayer sound;
    ManualClock clock;
    std::unique_ptr<MessageStation> station;
    std::vector<ArrivalSummary> settled;
    QStringList told;
};

} // namespace tq::test
