#pragma once

#include "addressbook/PresenceSource.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace tq {

// The words for a state: "Reachable", "Not reachable", "Unknown host", "Not checked".
QString presenceStateText(PresenceState state);
// A user's tool tip: the state and since when, "Not reachable since 14:05"; a time of
// another day than `now` carries its date.
QString presenceToolTip(const UserPresence &presence, const QDateTime &now);
// A group's tool tip, "3 of 7 reachable"; empty for a group without active users.
QString groupPresenceText(const GroupPresence &group);
// What the address book shows of a row's presence: with `mark` the state of its dot as an int
// (a group has none), else its tool tip (none where the source is switched off).
QVariant presenceCell(const PresenceSource &source, bool group, bool active, const QString &name, const QString &host,
                      bool mark);
// The status bar's word when someone long away is back: "Bob is reachable again".
QString reachableAgainText(const QString &name);

} // namespace tq
