#include "app/WindowPlacement.h"

#include "settings/SettingsStore.h"

#include <algorithm>

namespace tq {

QRect readWindowPlacement(const SettingsStore &store)
{
    return QRect(store.get(keys::HorizPos), store.get(keys::VertPos), store.get(keys::Width), store.get(keys::Height));
}

void writeWindowPlacement(SettingsStore &store, const QRect &normalRect)
{
    store.set(keys::VertPos, normalRect.top());
    store.set(keys::HorizPos, normalRect.left());
    store.set(keys::Height, normalRect.height());
    store.set(keys::Width, normalRect.width());
}

QRect fitOnScreens(const QRect &placement, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return placement;
    // Enough of the window to take hold of it must be on a screen.
    constexpr int kGrip = 40;
    for (const QRect &screen : screens) {
        const QRect shown = screen.intersected(placement);
        if (shown.width() >= std::min(kGrip, placement.width())
            && shown.height() >= std::min(kGrip, placement.height()))
            return placement;
    }
    const QRect &first = screens.front();
    QRect moved = placement;
    moved.setWidth(std::min(placement.width(), first.width()));
    moved.setHeight(std::min(placement.height(), first.height()));
    moved.moveTopLeft(first.topLeft());
    return moved;
}

} // namespace tq
