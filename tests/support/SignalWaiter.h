#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace tq::test {

// Runs the event loop until `done()` holds or `timeoutMs` passes; returns whether it held.
template <typename Predicate>
bool waitUntil(Predicate done, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

} // namespace tq::test
