#include "app/FirstRunDefaults.h"

#include "settings/SettingsStore.h"

namespace tq {

bool applyFirstRunDefaults(SettingsStore &store, const QString &ownerName, const QString &computerName)
{
    if (store.get(keys::FirstStart) != 0)
        return false;
    store.set(keys::FirstStart, 1);
    if (store.get(keys::FullName).isEmpty())
        store.set(keys::FullName, ownerName.isEmpty() ? QStringLiteral("Anonymous") : ownerName);
    if (store.get(keys::SystemName).isEmpty())
        store.set(keys::SystemName, computerName);
    return true;
}

} // namespace tq
