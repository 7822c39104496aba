#pragma once

#include "addressbook/PresenceSource.h"

#include <QDateTime>
#include <QString>

namespace tq {

// The words for a state: "Reachable", "Not reachable", "Unknown host", "Not checked".
QString presenceStateText(PresenceState state);
// A user's tool tip: the state and since when, "Not reachable since 14:05"; a time of
// another day than `now` carries its date.
QString presenceToolTip(const UserPresence &presence, const QDateTime &now);
// A group's tool tip, "3 of 7 reachable"; empty for a group without active users.
QString groupPresenceText(const GroupPresence &group);
// The status bar's word when someone long away is back: "Bob is reachable again".
QString reachableAgainText(const QString &name);

} // namespace tq
