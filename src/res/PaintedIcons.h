#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <functional>
#include <initializer_list>

class QPainter;

namespace tq {

// The program's icons, painted rather than loaded, by their resource names:
// "IDI_AMAINFRAME" (the main icon), "IDI_ICON1" ... "IDI_ICON11" (the main icon with the
// number of unread messages; 11 stands for eleven and more). An unknown name gives the main icon.
QIcon paintedIcon(const QString &name);

// An icon that `draw` paints on a `grid` x `grid` square, scaled to each of `sizes`.
QIcon scaledIcon(int grid, std::initializer_list<int> sizes, const std::function<void(QPainter &)> &draw);

// The red mark beside the destination box while a high-importance message is shown, 16 x 32.
QPixmap importancePixmap(qreal devicePixelRatio = 1.0);

} // namespace tq
