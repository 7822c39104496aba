#include "app/PowerNoticeWindow.h"

#include "res/PaintedIcons.h"
#include "res/StringTable.h"

#include <QHBoxLayout>
#include <QLabel>

namespace tq {

PowerNoticeWindow::PowerNoticeWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("powerNotice"));
    setWindowTitle(tqString(Sid::AppName));
    setModal(false);
    auto *icon = new QLabel(this);
    icon->setPixmap(paintedIcon(QStringLiteral("IDI_AMAINFRAME")).pixmap(32, 32));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("powerNoticeText"));
    m_text->setTextFormat(Qt::PlainText);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(m_text, 1);
    m_closeTimer.setSingleShot(true);
    connect(&m_closeTimer, &QTimer::timeout, this, &QWidget::close);
}

void PowerNoticeWindow::showNotice(const QString &text, int durationMs)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    m_text->setText(shown);
    adjustSize();
    if (QWidget *owner = parentWidget()) {
        // Centred on the main window, a little above its middle.
        QRect area = frameGeometry();
        area.moveCenter(owner->frameGeometry().center() - QPoint(0, 100));
        move(area.topLeft());
    }
    show();
    raise();
    m_closeTimer.start(durationMs);
}

QString PowerNoticeWindow::text() const
{
    return m_text->text();
}

} // namespace tq
