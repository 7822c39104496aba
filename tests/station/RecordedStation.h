#pragma once

#include "messages/AnswerFile.h"
#include "protocol/CReceiveThread.h"
#include "protocol/CUDPReceiveThread.h"
#include "settings/SettingsStore.h"
#include "station/MessageStation.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/ManualClock.h"
#include "support/RecordingSoundPlayer.h"
#include "support/SignalWaiter.h"

#include <QDir>

#include <memory>
#include <utility>
#include <vector>

namespace tq::test {

// One station without any window, as a program with no desktop runs it, with what it told
// its observers.
struct RecordedStation {
    RecordedStation(const QString &folder, const QString &systemName, const QString &fullName)
        : settings(folder + QStringLiteral("settings.conf"))
        , dataDir(folder)
    {
        QDir().mkpath(folder + QStringLiteral("messages"));
        settings.set(keys::SystemName, systemName);
        settings.set(keys::FullName, fullName);
        settings.set(keys::StoreAndLoad, 1);
    }

    // Listens on ports the system chooses, which then become the ports of its settings, so
    // that its packets name them for replies.
    bool start()
    {
        station = std::make_unique<MessageStation>(settings, sound, clock, dataDir);
        QObject::connect(
            station.get(), &MessageStation::sendResult, station.get(),
            [this](quint64, SendResultCode code, const QString &text) { results.emplace_back(code, text); });
        QObject::connect(station.get(), &MessageStation::sendStarted, station.get(),
                         [this](quint64, bool automatic) { started.push_back(automatic); });
        QObject::connect(station.get(), &MessageStation::sendFinished, station.get(), [this] { ++finished; });
        QObject::connect(station.get(), &MessageStation::arrivalsSettled, station.get(),
                         [this](const ArrivalSummary &summary) { settled.push_back(summary); });
        station->overrideListenPorts(0, 0);
        station->StartProcesses();
        if (!waitUntil([this] { return tcpPort() != 0 && udpPort() != 0; }))
            return false;
        settings.set(keys::TcpPort, tcpPort());
        settings.set(keys::UdpPort, udpPort());
        station->reloadSettings();
        return true;
    }

    int tcpPort() const { return station->tcpReceiver() ? station->tcpReceiver()->boundPort() : 0; }
    int udpPort() const { return station->udpReceiver() ? station->udpReceiver()->boundPort() : 0; }
    const MessageList &messages() const { return station->messages(); }
    QStringList messageFiles() const
    {
        return QDir(dataDir + QStringLiteral("messages")).entryList(QDir::Files, QDir::Name);
    }

    // The draft a window would hand over: what the compose box and the destination field hold.
    OutgoingPlan plan(const QString &destination, const QString &text)
    {
        OutgoingDraft draft;
        draft.destinationText = destination;
        draft.composeText = text;
        return station->planSend(draft);
    }

    SettingsStore settings;
    QString dataDir;
    RecordingSoundPlayer sound;
    ManualClock clock;
    std::unique_ptr<MessageStation> station;
    std::vector<std::pair<SendResultCode, QString>> results;
    std::vector<bool> started; // each send's automatic-answer flag
    int finished = 0;
    std::vector<ArrivalSummary> settled;
};

} // namespace tq::test
