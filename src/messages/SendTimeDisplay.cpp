#include "messages/SendTimeDisplay.h"

#include "platform/Clock.h"
#include "res/StringTable.h"

#include <QLabel>

namespace tq {

SendTimeDisplay::SendTimeDisplay(const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
{
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { show(m_clock.nowMs() - m_startMs); });
}

QString SendTimeDisplay::text(qint64 elapsedMs)
{
    const qint64 ms = std::max<qint64>(0, elapsedMs);
    return tqFormat(Sid::SendTime, static_cast<int>(ms / 1000), static_cast<int>(ms % 1000 / 10));
}

void SendTimeDisplay::start(QLabel *pane)
{
    m_pane = pane;
    m_startMs = m_clock.nowMs();
    show(0);
    m_timer.start();
}

void SendTimeDisplay::stop()
{
    m_timer.stop();
}

void SendTimeDisplay::show(qint64 elapsedMs)
{
    if (!m_pane)
        return;
    // A label takes the width of its text; the status bar follows.
    m_pane->setText(text(elapsedMs));
}

} // namespace tq
