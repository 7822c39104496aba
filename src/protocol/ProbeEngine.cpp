#include "protocol/ProbeEngine.h"

#include <QMetaObject>

#include <optional>

namespace tq {

// What the run has found and the engine has not yet announced. Results of a busy run are
// gathered here and handed over in batches: one queued call per batch, not one per target.
struct ProbeEngine::Delivery {
    std::mutex mutex;
    QList<ProbeResult> results;
    std::optional<bool> endedCancelled;
    bool handOverQueued = false;
};

ProbeEngine::ProbeEngine(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<ProbeResult>();
}

ProbeEngine::~ProbeEngine()
{
    if (m_wakeup)
        m_wakeup->signal();
    // The thread ends within one round of its loop; its queued hand-overs die with this object.
}

bool ProbeEngine::start(const QList<ProbeTarget> &targets, const ProbeOptions &options)
{
    return start(ProbeRun(targets, options));
}

bool ProbeEngine::start(ProbeRun run)
{
    if (m_running)
        return false;
    if (m_thread.joinable())
        m_thread.join(); // it has handed over its end already
    m_running = true;
    m_total = run.targetCount();
    m_done = 0;
    m_wakeup = std::make_unique<WakeupEvent>();
    m_delivery = std::make_shared<Delivery>();

    const auto handOver = [this, delivery = m_delivery](auto &&store) {
        const std::lock_guard lock(delivery->mutex);
        store(*delivery);
        if (!delivery->handOverQueued) {
            delivery->handOverQueued = true;
            QMetaObject::invokeMethod(this, &ProbeEngine::deliver, Qt::QueuedConnection);
        }
    };
    m_thread = std::jthread([run = std::move(run), handOver, wakeupFd = m_wakeup->fd()]() mutable {
        const bool completed = run.run(
            [&handOver](const ProbeResult &result) { handOver([&](Delivery &d) { d.results.append(result); }); },
            wakeupFd);
        handOver([&](Delivery &d) { d.endedCancelled = !completed; });
    });
    return true;
}

void ProbeEngine::cancel()
{
    if (m_running && m_wakeup)
        m_wakeup->signal();
}

void ProbeEngine::deliver()
{
    QList<ProbeResult> results;
    std::optional<bool> endedCancelled;
    {
        const std::lock_guard lock(m_delivery->mutex);
        results.swap(m_delivery->results);
        endedCancelled = m_delivery->endedCancelled;
        m_delivery->handOverQueued = false;
    }
    for (const ProbeResult &result : results) {
        ++m_done;
        Q_EMIT resultReady(result);
    }
    if (!results.isEmpty())
        Q_EMIT progress(m_done, m_total);
    if (endedCancelled) {
        m_running = false;
        Q_EMIT finished(*endedCancelled);
    }
}

} // namespace tq
