#include "messages/MessageFileWriter.h"

#include "messages/MessageFiles.h"

namespace tq {
namespace {

constexpr std::size_t kMaxRememberedSenders = 4096;

} // namespace

MessageFileWriter::MessageFileWriter(std::function<void()> resultsWaiting)
    : m_resultsWaiting(std::move(resultsWaiting))
    , m_thread([this](std::stop_token stop) { run(stop); })
{
}

MessageFileWriter::~MessageFileWriter()
{
    m_thread.request_stop();
    {
        const std::lock_guard lock(m_mutex);
        m_changed.notify_all();
    }
    m_thread.join();
}

void MessageFileWriter::write(quint64 id, char importance, const QByteArray &systemName, const QByteArray &sender,
                              const QByteArray &text, const QDateTime &arrivalTime, const QString &messagesDir)
{
    const std::lock_guard lock(m_mutex);
    m_jobs.push_back({id, importance, systemName, sender, text, arrivalTime, messagesDir});
    m_changed.notify_all();
}

void MessageFileWriter::flush()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.empty() && !m_writing; });
}

std::vector<MessageFileWriter::Result> MessageFileWriter::takeResults()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_results, {});
}

std::optional<QString> MessageFileWriter::writeFile(const Job &job)
{
    // Forgetting the senders seen so far costs only some extra tries.
    if (m_lastNameTime.size() > kMaxRememberedSenders)
        m_lastNameTime.clear();
    QDateTime &last = m_lastNameTime[{job.messagesDir, job.systemName}];
    const QDateTime start = last.isValid() && last >= job.arrivalTime ? last.addMSecs(1) : job.arrivalTime;
    return WriteMessageFile(job.importance, job.systemName, job.sender, job.text, start, job.messagesDir, &last);
}

void MessageFileWriter::run(std::stop_token stop)
{
    while (true) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return stop.stop_requested() || !m_jobs.empty(); });
            if (m_jobs.empty())
                return; // asked to stop, and everything is written
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_writing = true;
        }
        Result result{job.id, writeFile(job)};
        bool first = false;
        {
            const std::lock_guard lock(m_mutex);
            first = m_results.empty();
            m_results.push_back(std::move(result));
            m_writing = false;
            m_changed.notify_all();
        }
        if (first && m_resultsWaiting)
            m_resultsWaiting();
    }
}

} // namespace tq
