#pragma once

#include "prefs/FieldCheck.h"

#include <QString>

#include <optional>

namespace tq {

class SettingsStore;

// What the General page edits. Port and delay are kept as typed, so a value out of range can
// be shown and refused rather than silently changed.
struct GeneralSetupValues {
    static constexpr quint32 kMinPort = 1025;
    static constexpr quint32 kMaxPort = 65535;
    static constexpr quint32 kMinDelay = 1;
    static constexpr quint32 kMaxDelay = 600000;
    static constexpr int kMaxSignature = 256;

    QString fullName;
    QString systemName;
    QString signature;
    QString emailAddress;
    QString portText;
    QString delayText;
    int useProtocol = 2; // 0 TCP, 1 UDP, 2 both

    static GeneralSetupValues read(const SettingsStore &store);

    // The first field that breaks its rule, in the order of the page.
    std::optional<FieldProblem> check() const;
    // Valid after check() found nothing.
    int port() const;
    int delay() const;

    bool portDiffersFrom(const SettingsStore &store) const;
    // "TCP Port" only when `writePort` (the user agreed to the change); then the names,
    // delay, signature, address and transport.
    void write(SettingsStore &store, bool writePort) const;
};

// Which preset buttons make sense for the texts in the port and delay fields: a preset that
// would change nothing is disabled.
struct PresetStates {
    bool defaultPort = false;
    bool lan = false;
    bool internet = false;

    friend bool operator==(const PresetStates &, const PresetStates &) = default;
};
PresetStates presetStates(const QString &portText, const QString &delayText);

inline constexpr int kDefaultPortPreset = 7777;
inline constexpr int kLanDelayPreset = 3000;
inline constexpr int kInternetDelayPreset = 60000;

} // namespace tq
