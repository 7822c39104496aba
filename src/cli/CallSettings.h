#pragma once

#include "settings/SettingsStore.h"

#include <QTemporaryDir>

#include <optional>

namespace tq::cli {

// The settings of one call: a private copy of the user's, into which the options of the call
// are written. The station runs on the copy, so that nothing the call changes (an option, the
// address book it creates, a window flag) ever reaches the user's own file. The copy lives in
// the user's runtime folder, which is kept in memory, so its writes cost no disk round trip.
class CallSettings {
public:
    CallSettings();

    // False when no private folder could be made.
    bool isValid() const { return m_store.has_value(); }
    SettingsStore &store() { return *m_store; }

private:
    QTemporaryDir m_folder;
    std::optional<SettingsStore> m_store;
};

} // namespace tq::cli
