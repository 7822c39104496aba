#pragma once

#include "prefs/FieldCheck.h"

#include <QString>

#include <optional>

namespace tq {

class SettingsStore;

// What the Interface page edits.
struct InterfaceSetupValues {
    int closeAsk = 0; // 0 ask, 1 minimise, 2 close without asking
    bool displaySendOK = false;
    bool minOnDelLast = false;
    bool dontAutoLast = false;
    bool enableSound = true;
    QString soundFile;
    bool storeAndLoad = false;
    bool notify = true;
    int outgoingEncoding = 0; // keys::kOutgoingUtf8 or keys::kOutgoingWindows1252
    bool askBeforeBroadcast = true;
    // Kept as typed, so a value out of range is shown and refused rather than changed.
    QString presenceIntervalText;

    static InterfaceSetupValues read(const SettingsStore &store);
    // The presence interval is 0 (off) or a number of seconds within its limits.
    std::optional<FieldProblem> check() const;
    // Valid after check() found nothing.
    void write(SettingsStore &store) const;
};

} // namespace tq
