#pragma once

#include <QList>
#include <QRect>

namespace tq {

class SettingsStore;

// The main window's normal (restored) rectangle, kept in "HorizPos", "VertPos", "Width" and
// "Height".
QRect readWindowPlacement(const SettingsStore &store);
void writeWindowPlacement(SettingsStore &store, const QRect &normalRect);

// A placement that lies on no screen any more (a monitor was removed) is moved onto the first
// screen, so the window never opens where nobody can see it. One that shows on some screen
// stays as it is.
QRect fitOnScreens(const QRect &placement, const QList<QRect> &screens);

} // namespace tq
