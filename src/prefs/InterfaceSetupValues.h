#pragma once

#include <QString>

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

    static InterfaceSetupValues read(const SettingsStore &store);
    void write(SettingsStore &store) const;
};

} // namespace tq
