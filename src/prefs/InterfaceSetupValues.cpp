#include "prefs/InterfaceSetupValues.h"

#include "presence/PresenceInterval.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>

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
    values.askBeforeBroadcast = store.get(keys::AskBeforeBroadcast) != 0;
    values.presenceIntervalText = QString::number(presenceIntervalSeconds(store));
    return values;
}

std::optional<FieldProblem> InterfaceSetupValues::check() const
{
    const std::optional<quint32> seconds = parseUnsignedField(presenceIntervalText);
    if (seconds
        && (*seconds == 0
            || (*seconds >= static_cast<quint32>(kMinPresenceIntervalSeconds)
                && *seconds <= static_cast<quint32>(kMaxPresenceIntervalSeconds))))
        return std::nullopt;
    return FieldProblem{PrefField::PresenceInterval,
                        QCoreApplication::translate("tq",
                                                    "Please enter 0 to check nobody, or a number of seconds "
                                                    "from %1 to %2.")
                            .arg(kMinPresenceIntervalSeconds)
                            .arg(kMaxPresenceIntervalSeconds)};
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
    store.set(keys::AskBeforeBroadcast, askBeforeBroadcast ? 1 : 0);
    store.set(keys::PresenceInterval, static_cast<int>(parseUnsignedField(presenceIntervalText).value_or(0)));
}

} // namespace tq
