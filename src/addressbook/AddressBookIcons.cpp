#include "addressbook/AddressBookIcons.h"

#include "res/PaintedIcons.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace tq::addressbook {
namespace {

// Every picture is drawn on a 16 x 16 grid and scaled to each size.
using Drawing = std::function<void(QPainter &)>;

QIcon paint(const Drawing &draw)
{
    return scaledIcon(16, {16, 24, 32, 48}, draw);
}

void drawPerson(QPainter &painter, QPointF at, qreal scale, const QColor &colour)
{
    painter.save();
    painter.translate(at);
    painter.scale(scale, scale);
    painter.setPen(QPen(colour.darker(150), 0.8));
    painter.setBrush(colour);
    QPainterPath body;
    body.moveTo(1, 15);
    body.cubicTo(1, 9, 11, 9, 11, 15);
    body.closeSubpath();
    painter.drawPath(body);
    painter.setBrush(QColor(0xf2, 0xc6, 0x9b));
    painter.setPen(QPen(QColor(0xa0, 0x70, 0x48), 0.8));
    painter.drawEllipse(QPointF(6, 5.5), 3.2, 3.2);
    painter.restore();
}

void drawPlus(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2e, 0x9e, 0x3e));
    painter.drawEllipse(QRectF(9, 0.5, 7, 7));
    painter.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(12.5, 1.8), QPointF(12.5, 6.2));
    painter.drawLine(QPointF(10.3, 4), QPointF(14.7, 4));
}

const QColor kUserColour(0x3a, 0x7b, 0xd5);
const QColor kGroupBackColour(0x8a, 0x5c, 0xc4);
const QColor kGroupFrontColour(0xe0, 0x8a, 0x1e);

void drawUser(QPainter &painter)
{
    drawPerson(painter, QPointF(2, 0), 1.0, kUserColour);
}

void drawGroup(QPainter &painter)
{
    drawPerson(painter, QPointF(5, -1), 0.85, kGroupBackColour);
    drawPerson(painter, QPointF(0, 2.4), 0.85, kGroupFrontColour);
}

} // namespace

QIcon userIcon()
{
    static const QIcon icon = paint(drawUser);
    return icon;
}

QIcon groupIcon()
{
    static const QIcon icon = paint(drawGroup);
    return icon;
}

QIcon stateIcon(bool active)
{
    static const QIcon on = paint([](QPainter &painter) {
        painter.setPen(QPen(QColor(0x1d, 0x6b, 0x2a), 0.8));
        painter.setBrush(QColor(0x3c, 0xb3, 0x4e));
        painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QList<QPointF>{{4.5, 8.2}, {7, 10.8}, {11.5, 5.2}});
    });
    static const QIcon off = paint([](QPainter &painter) {
        painter.setPen(QPen(QColor(0x8c, 0x1a, 0x12), 0.8));
        painter.setBrush(QColor(0xd9, 0x35, 0x25));
        painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(4, 6.8, 8, 2.4));
    });
    return active ? on : off;
}

QIcon upOneLevelIcon()
{
    static const QIcon icon = paint([](QPainter &painter) {
        painter.setPen(QPen(QColor(0xa8, 0x7a, 0x18), 0.8));
        painter.setBrush(QColor(0xf4, 0xc8, 0x4a));
        QPainterPath folder;
        folder.moveTo(1, 5);
        folder.lineTo(5, 5);
        folder.lineTo(6.5, 6.5);
        folder.lineTo(14, 6.5);
        folder.lineTo(14, 14.5);
        folder.lineTo(1, 14.5);
        folder.closeSubpath();
        painter.drawPath(folder);
        painter.setPen(QPen(QColor(0x1b, 0x5a, 0x9c), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QList<QPointF>{{4.5, 12}, {9.5, 12}, {9.5, 1.5}});
        painter.drawPolyline(QList<QPointF>{{7, 4}, {9.5, 1.5}, {12, 4}});
    });
    return icon;
}

QIcon addUserIcon()
{
    static const QIcon icon = paint([](QPainter &painter) {
        drawPerson(painter, QPointF(0, 1), 0.95, kUserColour);
        drawPlus(painter);
    });
    return icon;
}

QIcon addGroupIcon()
{
    static const QIcon icon = paint([](QPainter &painter) {
        drawGroup(painter);
        drawPlus(painter);
    });
    return icon;
}

QIcon removeItemIcon()
{
    static const QIcon icon = paint([](QPainter &painter) {
        painter.setPen(QPen(QColor(0xc6, 0x28, 0x1c), 2.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    });
    return icon;
}

} // namespace tq::addressbook
