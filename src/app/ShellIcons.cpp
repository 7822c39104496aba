#include "app/ShellIcons.h"

#include "mail/MailTray.h"
#include "res/PaintedIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace tq {
namespace {

const QColor kInk(0x2c, 0x3e, 0x50);
const QColor kBlue(0x1b, 0x6a, 0xc0);
const QColor kRed(0xc8, 0x2a, 0x1e);
const QColor kPaper(0xfc, 0xfc, 0xf4);

using Painter = std::function<void(QPainter &)>;

// Every picture is drawn on a 22 x 22 grid and scaled.
QIcon paintedIcon(const Painter &paint)
{
    return scaledIcon(22, {16, 22, 32, 44}, paint);
}

void arrow(QPainter &p, bool left)
{
    QPainterPath path;
    const qreal tip = left ? 3 : 19;
    const qreal base = 11;
    const qreal tail = left ? 19 : 3;
    path.moveTo(tip, 11);
    path.lineTo(base, 3);
    path.lineTo(base, 7.5);
    path.lineTo(tail, 7.5);
    path.lineTo(tail, 14.5);
    path.lineTo(base, 14.5);
    path.lineTo(base, 19);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawPath(path);
}

void cross(QPainter &p)
{
    p.setPen(QPen(kRed, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(17, 17));
    p.drawLine(QPointF(17, 5), QPointF(5, 17));
}

void scissors(QPainter &p)
{
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 3), QPointF(14, 14));
    p.drawLine(QPointF(16, 3), QPointF(8, 14));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kRed, 1.8));
    p.drawEllipse(QPointF(6.5, 17), 3, 3);
    p.drawEllipse(QPointF(15.5, 17), 3, 3);
}

void page(QPainter &p, const QRectF &rect)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(rect);
    p.setPen(QPen(kBlue, 1));
    for (qreal y = rect.top() + 3; y < rect.bottom() - 1.5; y += 2.5)
        p.drawLine(QPointF(rect.left() + 2, y), QPointF(rect.right() - 2, y));
}

void copyPages(QPainter &p)
{
    page(p, QRectF(3.5, 2.5, 10, 12));
    page(p, QRectF(8.5, 7.5, 10, 12));
}

void paste(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(0xb0, 0x7a, 0x3c));
    p.drawRoundedRect(QRectF(3.5, 3.5, 12, 16), 1.5, 1.5);
    p.setBrush(QColor(0xa0, 0xa0, 0xa0));
    p.drawRect(QRectF(6.5, 2.5, 6, 3));
    page(p, QRectF(9.5, 8.5, 9, 11));
}

void book(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(4.5, 2.5, 13, 17), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(15.5, 4.5, 3, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(11, 8.5), 2.2, 2.2);
    QPainterPath shoulders;
    shoulders.addEllipse(QRectF(7, 11.5, 8, 6));
    p.drawPath(shoulders.intersected([] {
        QPainterPath clip;
        clip.addRect(QRectF(6, 11, 10, 4.5));
        return clip;
    }()));
}

void gear(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(0x7f, 0x8c, 0x8d));
    QPainterPath teeth;
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRect(QRectF(-1.8, -9, 3.6, 18));
        teeth.addPath(QTransform().translate(11, 11).rotate(22.5 * i).map(tooth));
    }
    QPainterPath body;
    body.addEllipse(QPointF(11, 11), 6.5, 6.5);
    QPainterPath hole;
    hole.addEllipse(QPointF(11, 11), 2.6, 2.6);
    p.drawPath(teeth.united(body).subtracted(hole));
}

void info(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(11, 11), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(11, 6.5), 1.6, 1.6);
    p.drawRoundedRect(QRectF(9.6, 9, 2.8, 8), 1, 1);
}

void envelope(QPainter &p, int number)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(0xf4, 0xd0, 0x3f));
    const QRectF body(1.5, 5.5, 19, 13);
    p.drawRect(body);
    p.drawLine(body.topLeft(), QPointF(11, 13));
    p.drawLine(body.topRight(), QPointF(11, 13));
    p.setBrush(kRed);
    p.setPen(QPen(Qt::white, 1));
    p.drawEllipse(QPointF(16, 16), 5.5, 5.5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(9);
    p.setFont(font);
    p.drawText(QRectF(10.5, 10.5, 11, 11), Qt::AlignCenter, QString::number(number));
}

} // namespace

QIcon toolbarIcon(ToolbarImage image)
{
    switch (image) {
    case ToolbarImage::Previous:
        return QIcon::fromTheme(QStringLiteral("go-previous"), paintedIcon([](QPainter &p) { arrow(p, true); }));
    case ToolbarImage::Next:
        return QIcon::fromTheme(QStringLiteral("go-next"), paintedIcon([](QPainter &p) { arrow(p, false); }));
    case ToolbarImage::Delete:
        return QIcon::fromTheme(QStringLiteral("edit-delete"), paintedIcon(cross));
    case ToolbarImage::Cut:
        return QIcon::fromTheme(QStringLiteral("edit-cut"), paintedIcon(scissors));
    case ToolbarImage::Copy:
        return QIcon::fromTheme(QStringLiteral("edit-copy"), paintedIcon(copyPages));
    case ToolbarImage::Paste:
        return QIcon::fromTheme(QStringLiteral("edit-paste"), paintedIcon(paste));
    case ToolbarImage::AddressBook:
        return QIcon::fromTheme(QStringLiteral("x-office-address-book"), paintedIcon(book));
    case ToolbarImage::Preferences:
        return QIcon::fromTheme(QStringLiteral("preferences-system"), paintedIcon(gear));
    case ToolbarImage::About:
        return QIcon::fromTheme(QStringLiteral("help-about"), paintedIcon(info));
    }
    return {};
}

QIcon newMailIcon(int mailbox)
{
    const int number = mailbox == kSecondMailbox ? 2 : 1;
    return paintedIcon([number](QPainter &p) { envelope(p, number); });
}

} // namespace tq
