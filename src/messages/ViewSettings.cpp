#include "messages/ViewSettings.h"

#include "settings/SettingsStore.h"

namespace tq {

ViewSettings ViewSettings::read(const SettingsStore &store, const QString &appDataDir)
{
    ViewSettings s;
    s.fullName = store.get(keys::FullName);
    s.systemName = store.get(keys::SystemName);
    s.signature = store.get(keys::Signature);
    s.pop3Server1 = store.get(keys::POP3Server1);
    s.soundFile = store.get(keys::SoundFile);
    s.deadFileName = tq::deadFileName(store, appDataDir);
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

} // namespace tq
