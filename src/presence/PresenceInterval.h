#pragma once

namespace tq {

class SettingsStore;

// "PresenceInterval" is 0 (presence off) or a number of seconds within these limits.
inline constexpr int kMinPresenceIntervalSeconds = 10;
inline constexpr int kMaxPresenceIntervalSeconds = 86400;

// The interval in use: 0 for a stored 0 or less; any other number brought within the limits,
// so a hand-edited 1 cannot make the program knock every second.
int presenceIntervalSeconds(const SettingsStore &store);

} // namespace tq
