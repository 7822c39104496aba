#pragma once

#include "platform/WakeupEvent.h"
#include "protocol/ProbeRun.h"

#include <QList>
#include <QObject>

#include <memory>
#include <mutex>
#include <thread>

namespace tq {

// Probes in the background for the windows: the run goes on a thread of its own, and its
// results come back as signals on the thread that owns the engine, in the order they were
// known. cancel() wakes the run at once; finished() always closes a run.
class ProbeEngine : public QObject {
    Q_OBJECT
public:
    explicit ProbeEngine(QObject *parent = nullptr);
    // Cancels a run under way and waits for its thread (which by then has been woken).
    ~ProbeEngine() override;

    // Starts a run; false while the previous one has not finished yet.
    bool start(const QList<ProbeTarget> &targets, const ProbeOptions &options);
    // The same with a resolver and a reverse lookup of the caller's choice.
    bool start(ProbeRun run);
    void cancel();
    bool isRunning() const { return m_running; }

Q_SIGNALS:
    void resultReady(const tq::ProbeResult &result);
    void progress(int done, int total);
    void finished(bool cancelled);

private:
    struct Delivery;
    void deliver();

    bool m_running = false;
    int m_total = 0;
    int m_done = 0;
    std::unique_ptr<WakeupEvent> m_wakeup;
    std::shared_ptr<Delivery> m_delivery;
    std::jthread m_thread;
};

} // namespace tq
