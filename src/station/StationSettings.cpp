#include "station/StationSettings.h"

#include "messages/KillWordFilter.h"
#include "settings/SettingsStore.h"

namespace tq {

StationSettings StationSettings::read(const SettingsStore &store, const QString &dataDir)
{
    StationSettings s;
    s.fullName = store.get(keys::FullName);
    s.systemName = store.get(keys::SystemName);
    s.signature = store.get(keys::Signature);
    s.soundFile = store.get(keys::SoundFile);
    s.deadFileName = tq::deadFileName(store, dataDir);
    s.killFile = killFilePath(dataDir);
    s.emailAddress = store.get(keys::EmailAddress);
    s.storeAndLoad = store.get(keys::StoreAndLoad) != 0;
    s.minOnDelLast = store.get(keys::MinOnDelLast) != 0;
    s.onlyKnowUsers = store.get(keys::OnlyKnowUsers) != 0;
    s.dontDuplicate = store.get(keys::DontDuplicate) != 0;
    s.dontAutoLast = store.get(keys::DontAutoLast) != 0;
    s.enableSound = store.get(keys::EnableSound) != 0;
    s.saveDead = store.get(keys::SaveDead) != 0;
    s.recvNMessages = store.get(keys::RecvNMessages) != 0;
    s.sendWindows1252 = store.get(keys::OutgoingEncoding) == keys::kOutgoingWindows1252;
    s.tcpPort = tq::tcpPort(store);
    s.udpPort = effectiveUdpPort(store);
    s.delay = store.get(keys::Delay);
    s.useProtocol = store.get(keys::UseProtocol);
    return s;
}

IncomingSettings StationSettings::incoming(const QByteArray &ownIp, bool popupOnArrival,
                                           const QString &messagesDir) const
{
    IncomingSettings s;
    s.ownIp = ownIp;
    s.ownSystemName = systemName.toUtf8();
    s.ownEmail = emailAddress.toUtf8();
    s.tcpPort = tcpPort;
    s.udpPort = udpPort;
    s.receiptsWanted = recvNMessages;
    s.storeMessages = storeAndLoad;
    s.keepShownMessage = dontAutoLast;
    s.soundOn = enableSound;
    s.soundFile = soundFile;
    s.popupOnArrival = popupOnArrival;
    s.filters = {onlyKnowUsers, dontDuplicate, killFile};
    s.messagesDir = messagesDir;
    return s;
}

OutgoingSender StationSettings::sender(const QByteArray &ownIp, const QSet<QString> &windows1252Hosts) const
{
    return {.fullName = fullName,
            .systemName = systemName,
            .signature = signature,
            .email = emailAddress,
            .ownIp = ownIp,
            .tcpPort = tcpPort,
            .udpPort = udpPort,
            .budgetMs = delay,
            .preferWindows1252 = sendWindows1252,
            .windows1252Hosts = windows1252Hosts};
}

} // namespace tq
