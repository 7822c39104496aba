#pragma once

#include "addressbook/PresenceSource.h"

#include <QColor>
#include <QIcon>

namespace tq {

// A user's icon with a small dot in its lower right corner that tells the presence state:
// green reachable, grey not reachable, amber unknown host. A user not checked keeps the
// plain icon. Each (icon, state) pair is painted once.
QIcon withPresenceMark(const QIcon &icon, PresenceState state);

// The colour of the dot; invalid for a state without one.
QColor presenceMarkColour(PresenceState state);

} // namespace tq
