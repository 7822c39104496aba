#pragma once

#include <QString>

namespace tq {

class SettingsStore;

// The names a brand-new store gets on the first run: "Full Name" from the account's owner
// (or "Anonymous"), "System Name" from the computer's name. Only once: later runs leave names
// the user has cleared empty. Returns whether this was the first run.
bool applyFirstRunDefaults(SettingsStore &store, const QString &ownerName, const QString &computerName);

} // namespace tq
