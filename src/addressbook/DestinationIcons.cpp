#include "addressbook/DestinationIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tq {
namespace {

constexpr int kSizes[] = {16, 24, 32};

// Head and shoulders, centred on x, standing on the bottom of a `size` square.
void paintPerson(QPainter &painter, qreal size, qreal centreX, qreal scale, const QColor &colour)
{
    const qreal head = size * 0.30 * scale;
    const qreal shoulders = size * 0.62 * scale;
    const qreal bodyHeight = size * 0.40 * scale;
    painter.setBrush(colour);
    painter.setPen(QPen(colour.darker(160), std::max<qreal>(1.0, size / 24.0)));
    QPainterPath body;
    const QRectF bodyRect(centreX - shoulders / 2, size - bodyHeight - 0.5, shoulders, bodyHeight * 2);
    body.moveTo(bodyRect.left(), size - 0.5);
    body.arcTo(bodyRect, 180, -180);
    body.closeSubpath();
    painter.drawPath(body);
    painter.drawEllipse(QRectF(centreX - head / 2, size - bodyHeight - head * 1.05, head, head));
}

void paintBroadcast(QPainter &painter, qreal size)
{
    const QColor colour(0xc0, 0x5a, 0x10);
    const QPointF centre(size / 2, size * 0.62);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(centre, size * 0.09, size * 0.09);
    // The mast.
    painter.setPen(QPen(colour, std::max<qreal>(1.0, size / 12.0), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, QPointF(size / 2, size - 1));
    // Waves to either side.
    painter.setBrush(Qt::NoBrush);
    for (const qreal radius : {size * 0.24, size * 0.40}) {
        const QRectF arc(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2);
        painter.drawArc(arc, 30 * 16, 120 * 16);
    }
}

QPixmap paintKind(DestinationKind kind, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QColor blue(0x3a, 0x7e, 0xc8);
    const QColor green(0x3c, 0x9a, 0x4a);
    const QColor violet(0x8a, 0x5a, 0xb8);
    switch (kind) {
    case DestinationKind::User:
        paintPerson(painter, s, s / 2, 1.0, blue);
        break;
    case DestinationKind::Group:
        paintPerson(painter, s, s * 0.34, 0.85, green.lighter(125));
        paintPerson(painter, s, s * 0.64, 0.95, green);
        break;
    case DestinationKind::AllUsers:
        paintPerson(painter, s, s * 0.24, 0.75, violet.lighter(135));
        paintPerson(painter, s, s * 0.76, 0.75, violet.lighter(135));
        paintPerson(painter, s, s * 0.5, 0.95, violet);
        break;
    case DestinationKind::Broadcast:
        paintBroadcast(painter, s);
        break;
    }
    return pixmap;
}

QIcon paintIcon(DestinationKind kind)
{
    QIcon icon;
    for (const int size : kSizes)
        icon.addPixmap(paintKind(kind, size));
    return icon;
}

} // namespace

QIcon destinationIcon(DestinationKind kind)
{
    static const QIcon icons[] = {
        paintIcon(DestinationKind::User),
        paintIcon(DestinationKind::Broadcast),
        paintIcon(DestinationKind::AllUsers),
        paintIcon(DestinationKind::Group),
    };
    return icons[static_cast<int>(kind)];
}

} // namespace tq
