#include "messages/ViewSplitter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace tq {
namespace {

constexpr int kBandHeight = 40;
constexpr int kSendButtonHeight = 30;
constexpr int kDestinationWidth = 300;
constexpr int kRightOfDestination = 150;

} // namespace

ViewSplitter::ViewSplitter(QWidget &view, const Controls &controls, int position)
    : m_view(view)
    , m_controls(controls)
    , m_y(position)
{
}

QRect ViewSplitter::band() const
{
    return QRect(0, m_y, m_view.width(), kSplitterBand);
}

void ViewSplitter::settle()
{
    if (m_y < 0 || m_y > m_view.height() - kBelowSplitter)
        m_y = 0;
    m_settled = true;
    layout();
}

void ViewSplitter::layout()
{
    const int cx = m_view.width();
    const int cy = m_view.height();
    if (m_settled && cy <= m_y + kBelowSplitter)
        m_y = std::max(0, cy - kBelowSplitter);
    const int y = m_y;
    const int w = std::max(0, std::min(kDestinationWidth, cx - kRightOfDestination));

    m_controls.messagePane->setGeometry(0, 0, cx, y);
    const int comboHeight = m_controls.destinationBox->sizeHint().height();
    m_controls.destinationBox->setGeometry(0, y + 7, w, comboHeight);
    m_controls.importanceIcon->setGeometry(w + 1, y + 4, 16, 32);
    QWidget *check = m_controls.autoAnswerCheck;
    const int checkHeight = std::max(15, check->sizeHint().height());
    const int checkTop = y + 7 + (comboHeight - checkHeight) / 2;
    check->setGeometry(w + 18, checkTop, std::max(120, check->sizeHint().width()), checkHeight);
    m_controls.composeBox->setGeometry(0, y + kBandHeight, cx, std::max(0, cy - y - kBelowSplitter));
    m_controls.sendButton->setGeometry(0, cy - kSendButtonHeight, cx, kSendButtonHeight);
    m_view.update(0, y, cx, kBandHeight);
}

void ViewSplitter::paint()
{
    QPainter painter(&m_view);
    const int right = m_view.width();
    const QPalette &colours = m_view.palette();
    // Under the message pane and above the compose box.
    for (const int top : {m_y + 1, m_y + kBandHeight - 3}) {
        painter.setPen(colours.color(QPalette::Dark));
        painter.drawLine(0, top, right, top);
        painter.setPen(colours.color(QPalette::Light));
        painter.drawLine(0, top + 1, right, top + 1);
    }
}

bool ViewSplitter::mousePress(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !band().contains(event->position().toPoint()))
        return false;
    m_dragging = true;
    m_view.grabMouse(Qt::SplitVCursor);
    return true;
}

bool ViewSplitter::mouseMove(QMouseEvent *event)
{
    const int pointerY = event->position().toPoint().y();
    if (m_dragging) {
        if (pointerY >= 0 && pointerY <= m_view.height() - kBelowSplitter && pointerY != m_y) {
            m_y = pointerY;
            layout();
            m_view.update();
        }
        return true;
    }
    if (band().contains(event->position().toPoint()))
        m_view.setCursor(Qt::SplitVCursor);
    else
        m_view.unsetCursor();
    return false;
}

bool ViewSplitter::mouseRelease(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return false;
    m_dragging = false;
    m_view.releaseMouse();
    m_view.update();
    return true;
}

} // namespace tq
