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
    for (auto &task : m_tasks)
        task->disconnect(this);
    m_tasks.clear();
}

void SendTasks::start(SendRequest request)
{
    auto &task = m_tasks.emplace_back(std::make_unique<CSendThread>(std::move(request), m_settings, m_services));
    connect(task.get(), &CSendThread::sendResult, this, &SendTasks::sendResult);
    connect(task.get(), &CSendThread::statusText, this, &SendTasks::statusText);
    connect(task.get(), &CSendThread::finished, this, &SendTasks::reap);
    task->start();
}

void SendTasks::start(const QString &destinations, const QByteArray &packetText, const QByteArray &plainText,
                      QByteArrayView ownIp, char importance)
{
    start(makeSendRequest(m_settings, destinations, packetText, plainText, ownIp, importance));
}

void SendTasks::reap()
{
    // Queued after the task's last report, so nothing of it is lost.
    m_tasks.remove_if([](const std::unique_ptr<CSendThread> &task) { return task->isFinished(); });
}

} // namespace tq
