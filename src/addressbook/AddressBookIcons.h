#pragma once

#include <QIcon>
#include <QPixmap>

namespace tq::addressbook {

// The small pictures of the address book windows, painted on a transparent ground so that they
// suit any window colour.

// The row icons and the level list's entries.
QIcon userIcon();
QIcon groupIcon();
// The state image left of a row's icon: a green tick for active, a red bar for deactivated.
QIcon stateIcon(bool active);

// The four image buttons.
QIcon upOneLevelIcon();
QIcon addUserIcon();
QIcon addGroupIcon();
QIcon removeItemIcon();

} // namespace tq::addressbook
