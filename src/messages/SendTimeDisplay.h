#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QLabel;

namespace tq {

class Clock;

// The time a send has taken so far, in the status bar's send-time pane, every 10 ms until the
// send's final report stops it. A new send starts the count again.
class SendTimeDisplay : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 10;

    explicit SendTimeDisplay(const Clock &clock, QObject *parent = nullptr);

    // "Time: %d,%02dsec" with the whole seconds and the hundredths of `elapsedMs`.
    static QString text(qint64 elapsedMs);

    // Shows 0,00 in `pane` (which may be none) and starts counting.
    void start(QLabel *pane);
    void stop();
    bool isRunning() const { return m_timer.isActive(); }

private:
    void show(qint64 elapsedMs);

    const Clock &m_clock;
    QPointer<QLabel> m_pane;
    qint64 m_startMs = 0;
    QTimer m_timer;
};

} // namespace tq
