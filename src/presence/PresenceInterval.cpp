#include "presence/PresenceInterval.h"

#include "settings/SettingsStore.h"

#include <algorithm>

namespace tq {

int presenceIntervalSeconds(const SettingsStore &store)
{
    const int stored = store.get(keys::PresenceInterval);
    if (stored <= 0)
        return 0;
    return std::clamp(stored, kMinPresenceIntervalSeconds, kMaxPresenceIntervalSeconds);
}

} // namespace tq
