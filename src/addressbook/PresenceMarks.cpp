#include "addressbook/PresenceMarks.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <utility>

namespace tq {
namespace {

constexpr int kSizes[] = {16, 24, 32, 48};

QPixmap markedPixmap(const QIcon &icon, int size, const QColor &colour)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    icon.paint(&painter, QRect(0, 0, size, size));
    // A ring in the window colour keeps the dot apart from the picture under it.
    const qreal diameter = size * 0.5;
    const QRectF dot(size - diameter, size - diameter, diameter, diameter);
    painter.setPen(QPen(Qt::white, std::max<qreal>(1.0, size / 16.0)));
    painter.setBrush(colour);
    painter.drawEllipse(dot.adjusted(0.5, 0.5, -0.5, -0.5));
    return pixmap;
}

} // namespace

QColor presenceMarkColour(PresenceState state)
{
    switch (state) {
    case PresenceState::Reachable:
        return QColor(0x2f, 0xb3, 0x44);
    case PresenceState::NotReachable:
        return QColor(0x86, 0x8b, 0x94);
    case PresenceState::Unknown:
        return QColor(0xe0, 0x9a, 0x1a);
    case PresenceState::NotChecked:
        break;
    }
    return {};
}

QIcon withPresenceMark(const QIcon &icon, PresenceState state)
{
    const QColor colour = presenceMarkColour(state);
    if (!colour.isValid() || icon.isNull())
        return icon;
    static QHash<std::pair<qint64, int>, QIcon> painted;
    const auto key = std::make_pair(icon.cacheKey(), static_cast<int>(state));
    if (const auto found = painted.constFind(key); found != painted.cend())
        return *found;
    QIcon marked;
    for (const int size : kSizes)
        marked.addPixmap(markedPixmap(icon, size, colour));
    painted.insert(key, marked);
    return marked;
}

} // namespace tq
