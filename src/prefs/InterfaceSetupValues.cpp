#include "prefs/InterfaceSetupValues.h"

#include "settings/SettingsStore.h"

namespace tq {

InterfaceSetupValues InterfaceSetupValues::read(const SettingsStore &store)
{
    InterfaceSetupValues values;
    const int closeAsk = store.get(keys::CloseAsk);
    // Any other stored value makes the close button ask, so the page shows it that way.
    values.closeAsk = closeAsk >= 0 && closeAsk <= 2 ? closeAsk : 0;
    values.displaySendOK = store.get(keys::DisplaySendOK) != 0;
    values.minOnDelLast = store.get(keys::MinOnDelLast) != 0;
    values.dontAutoLast = store.get(keys::DontAutoLast) != 0;
    values.enableSound = store.get(keys::EnableSound) != 0;
    values.soundFile = store.get(keys::SoundFile);
    values.storeAndLoad = store.get(keys::StoreAndLoad) != 0;
    values.notify = store.get(keys::Notify) != 0;
    // Any other stored value sends UTF-8, so the page shows that.
    values.outgoingEncoding = store.get(keys::OutgoingEncoding) == keys::kOutgoingWindows1252
        ? keys::kOutgoingWindows1252
        : keys::kOutgoingUtf8;
    return values;
}

void InterfaceSetupValues::write(SettingsStore &store) const
{
    store.set(keys::CloseAsk, closeAsk);
    store.set(keys::DisplaySendOK, displaySendOK ? 1 : 0);
    store.set(keys::MinOnDelLast, minOnDelLast ? 1 : 0);
    store.set(keys::DontAutoLast, dontAutoLast ? 1 : 0);
    store.set(keys::SoundFile, soundFile);
    store.set(keys::EnableSound, enableSound ? 1 : 0);
    store.set(keys::StoreAndLoad, storeAndLoad ? 1 : 0);
    store.set(keys::Notify, notify ? 1 : 0);
    store.set(keys::OutgoingEncoding, outgoingEncoding);
}

} // namespace tq
