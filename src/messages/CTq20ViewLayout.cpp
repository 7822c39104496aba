// Placement of the view's controls and the splitter between the message pane and the rest.
//
//   message pane             (0, 0)        full width, height = splitter position y
//   splitter band            y .. y + 5
//   destination box          (0, y + 7)    w = 300, or less in a narrow window
//   importance mark          (w + 1, y + 4)
//   AutoAnswer check box     (w + 18, y + 12)
//   compose box              (0, y + 40)   down to 30 pixels above the bottom
//   Send button              the bottom 30 pixels
#include "messages/CTq20View.h"

#include "messages/MessageEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace tq {
namespace {

constexpr int kBandHeight = 40;
constexpr int kSendButtonHeight = 30;
constexpr int kDestinationWidth = 300;
constexpr int kRightOfDestination = 150;

} // namespace

QRect CTq20View::splitterRect() const
{
    return QRect(0, m_splitterY, width(), kSplitterBand);
}

void CTq20View::settleSplitter()
{
    // A position saved in a larger window would leave no room below the pane.
    if (m_splitterY < 0 || m_splitterY > height() - kBelowSplitter)
        m_splitterY = 0;
    m_laidOut = true;
    layoutControls();
}

void CTq20View::layoutControls()
{
    const int cx = width();
    const int cy = height();
    if (m_laidOut && cy <= m_splitterY + kBelowSplitter)
        m_splitterY = std::max(0, cy - kBelowSplitter);
    const int y = m_splitterY;
    const int w = std::max(0, std::min(kDestinationWidth, cx - kRightOfDestination));

    m_messagePane->setGeometry(0, 0, cx, y);
    const int comboHeight = m_destinationBox->sizeHint().height();
    m_destinationBox->setGeometry(0, y + 7, w, comboHeight);
    m_importanceIcon->setGeometry(w + 1, y + 4, 16, 32);
    const int checkHeight = std::max(15, m_autoAnswerCheck->sizeHint().height());
    const int checkTop = y + 7 + (comboHeight - checkHeight) / 2;
    m_autoAnswerCheck->setGeometry(w + 18, checkTop, std::max(120, m_autoAnswerCheck->sizeHint().width()), checkHeight);
    m_composeBox->setGeometry(0, y + kBandHeight, cx, std::max(0, cy - y - kBelowSplitter));
    m_sendButton->setGeometry(0, cy - kSendButtonHeight, cx, kSendButtonHeight);
    update(0, y, cx, kBandHeight);
}

void CTq20View::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void CTq20View::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window has its real size only once it is shown.
    if (m_initialUpdateDone && !m_laidOut)
        settleSplitter();
}

void CTq20View::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int y = m_splitterY;
    const int right = width();
    const QPalette &colours = palette();
    // Two sunken lines frame the band: under the message pane and above the compose box.
    for (const int top : { y + 1, y + kBandHeight - 3 }) {
        painter.setPen(colours.color(QPalette::Dark));
        painter.drawLine(0, top, right, top);
        painter.setPen(colours.color(QPalette::Light));
        painter.drawLine(0, top + 1, right, top + 1);
    }
}

void CTq20View::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && splitterRect().contains(event->position().toPoint())) {
        m_dragging = true;
        grabMouse(Qt::SplitVCursor);
        return;
    }
    QWidget::mousePressEvent(event);
}

void CTq20View::mouseMoveEvent(QMouseEvent *event)
{
    const int pointerY = event->position().toPoint().y();
    if (m_dragging) {
        if (pointerY >= 0 && pointerY <= height() - kBelowSplitter && pointerY != m_splitterY) {
            m_splitterY = pointerY;
            layoutControls();
            update();
        }
        return;
    }
    if (splitterRect().contains(event->position().toPoint()))
        setCursor(Qt::SplitVCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

void CTq20View::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        releaseMouse();
        update();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace tq
