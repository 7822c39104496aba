#pragma once

#include "addressbook/DestinationList.h"

#include <QIcon>

namespace tq {

// The small picture in front of each destination entry: one person for a user, two for a
// group, three for every user, radio waves for the broadcast. Painted once per kind.
QIcon destinationIcon(DestinationKind kind);

} // namespace tq
