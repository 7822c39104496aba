#include "protocol/SendTasks.h"

#include "protocol/CSendThread.h"

namespace tq {

SendTasks::SendTasks(const SettingsStore &settings, SendServices services, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_services(std::move(services))
{
}

SendTasks::~SendTasks()
{
    for (Running &running : m_tasks)
        running.task->disconnect(this);
    m_tasks.clear();
}

quint64 SendTasks::start(SendRequest request)
{
    const quint64 send = ++m_lastSend;
    Running &running =
        m_tasks.emplace_back(Running{send, std::make_unique<CSendThread>(std::move(request), m_settings, m_services)});
    CSendThread *task = running.task.get();
    connect(task, &CSendThread::sendResult, this,
            [this, send](SendResultCode code, const QString &text) { Q_EMIT sendResult(send, code, text); });
    connect(task, &CSendThread::statusText, this, [this, send](const QString &text) { Q_EMIT statusText(send, text); });
    connect(task, &CSendThread::finished, this, &SendTasks::reap);
    task->start();
    return send;
}

void SendTasks::reap()
{
    // Queued after the task's last report, so nothing of it is lost.
    for (auto it = m_tasks.begin(); it != m_tasks.end();) {
        if (it->task->isFinished()) {
            const quint64 send = it->send;
            it = m_tasks.erase(it);
            Q_EMIT sendFinished(send);
        } else {
            ++it;
        }
    }
}

} // namespace tq
