#pragma once

#include <QIcon>

namespace tq {

// The pictures of the toolbar buttons, in the toolbar's order.
enum class ToolbarImage { Previous, Next, Delete, Cut, Copy, Paste, AddressBook, Preferences, About };

// The desktop theme's icon where it has one, else a painted one, so the toolbar never shows
// empty buttons.
QIcon toolbarIcon(ToolbarImage image);

// The new-mail icons of the tray: an envelope marked "1" for the first mailbox (111) and
// "2" for the second (112).
QIcon newMailIcon(int mailbox);

} // namespace tq
