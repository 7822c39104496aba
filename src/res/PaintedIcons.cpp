#include "res/PaintedIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace tq {
namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128};

// A white speech bubble on a round blue badge.
void paintMainIcon(QPainter &painter, qreal size)
{
    painter.setPen(Qt::NoPen);
    QLinearGradient background(0, 0, 0, size);
    background.setColorAt(0, QColor(0x3a, 0x8e, 0xd8));
    background.setColorAt(1, QColor(0x1b, 0x5a, 0x9c));
    painter.setBrush(background);
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));

    QPainterPath bubble;
    const QRectF body(size * 0.2, size * 0.24, size * 0.6, size * 0.4);
    bubble.addRoundedRect(body, size * 0.12, size * 0.12);
    QPainterPath tail;
    tail.moveTo(size * 0.32, body.bottom() - size * 0.02);
    tail.lineTo(size * 0.28, size * 0.8);
    tail.lineTo(size * 0.48, body.bottom() - size * 0.02);
    tail.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(bubble.united(tail));

    if (size >= 22) {
        painter.setPen(QPen(QColor(0x1b, 0x5a, 0x9c), size / 20.0, Qt::SolidLine, Qt::RoundCap));
        for (int line = 0; line < 2; ++line) {
            const qreal y = body.top() + body.height() * (0.38 + 0.28 * line);
            painter.drawLine(QPointF(body.left() + body.width() * 0.18, y),
                             QPointF(body.right() - body.width() * (line ? 0.35 : 0.18), y));
        }
    }
}

// The main icon with a red badge carrying the count.
void paintCountIcon(QPainter &painter, qreal size, int count)
{
    paintMainIcon(painter, size);
    const QString label = count >= 11 ? QStringLiteral("10+") : QString::number(count);
    // Small tray icons give the number most of the picture, or it cannot be read.
    const bool small = size <= 24;
    const qreal height = size * (small ? 0.72 : 0.5);
    const qreal width = label.size() == 1 ? height : std::min(size, height * (label.size() > 2 ? 1.9 : 1.4));
    const QRectF area(size - width, size - height, width, height);
    painter.setPen(QPen(Qt::white, std::max<qreal>(1.0, size / 32.0)));
    painter.setBrush(QColor(0xd6, 0x2a, 0x1e));
    painter.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), height / 2, height / 2);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setStretch(label.size() > 1 ? QFont::Condensed : QFont::Unstretched);
    font.setPixelSize(std::max(6, static_cast<int>(height * (small ? 0.95 : 0.8))));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignCenter, label);
}

QIcon makeIcon(int count)
{
    QIcon icon;
    for (const int size : kSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        if (count == 0)
            paintMainIcon(painter, size);
        else
            paintCountIcon(painter, size, count);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// 0 for the main icon, 1 to 11 for the count icons, -1 for names that are neither.
int countOfName(const QString &name)
{
    if (name == QLatin1String("IDI_AMAINFRAME"))
        return 0;
    const QLatin1String prefix("IDI_ICON");
    if (!name.startsWith(prefix))
        return -1;
    bool ok = false;
    const int count = name.mid(prefix.size()).toInt(&ok);
    return ok && count >= 1 && count <= 11 ? count : -1;
}

} // namespace

QIcon paintedIcon(const QString &name)
{
    static QHash<int, QIcon> cache;
    const int count = std::max(0, countOfName(name));
    auto it = cache.find(count);
    if (it == cache.end())
        it = cache.insert(count, makeIcon(count));
    return *it;
}

QIcon scaledIcon(int grid, std::initializer_list<int> sizes, const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (const int size : sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / double(grid), size / double(grid));
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap importancePixmap(qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(16, 32) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd6, 0x2a, 0x1e));
    QPainterPath bar;
    bar.moveTo(5, 5);
    bar.lineTo(11, 5);
    bar.lineTo(9.5, 21);
    bar.lineTo(6.5, 21);
    bar.closeSubpath();
    painter.drawPath(bar);
    painter.drawEllipse(QRectF(5.5, 23, 5, 5));
    return pixmap;
}

} // namespace tq
