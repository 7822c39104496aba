#include "messages/MessageFileWriter.h"

#include "messages/DurableMessageFile.h"
#include "platform/DurableFiles.h"

#include <algorithm>
#include <set>

namespace tq {
namespace {

constexpr std::size_t kMaxRememberedSenders = 4096;
// Files open at once while a batch is written and flushed.
constexpr std::size_t kFilesAtOnce = 256;

const QByteArray kCrLf("\r\n");

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
                              const QByteArray &text, const QDateTime &arrivalTime, const QString &messagesDir,
                              std::function<void()> whenKept)
{
    const std::lock_guard lock(m_mutex);
    m_jobs.push_back({id, importance, systemName, sender, text, arrivalTime, messagesDir, std::move(whenKept)});
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

void MessageFileWriter::name(const Job &job, const QString &temporaryPath, Result &result)
{
    // Forgetting the senders seen so far costs only some extra tries.
    if (m_lastNameTime.size() > kMaxRememberedSenders)
        m_lastNameTime.clear();
    QDateTime &last = m_lastNameTime[{job.messagesDir, job.systemName}];
    const QDateTime start = last.isValid() && last >= job.arrivalTime ? last.addMSecs(1) : job.arrivalTime;
    const PlacedFile placed = placeMessageFile(temporaryPath, job.systemName, start, job.messagesDir);
    switch (placed.outcome) {
    case PlacedFile::Outcome::Placed:
        last = placed.nameTime;
        result.path = placed.path;
        result.kept = true;
        break;
    case PlacedFile::Outcome::NoName:
        result.kept = true; // in memory: its sender's name makes no file name
        break;
    case PlacedFile::Outcome::Failed:
        break;
    }
}

void MessageFileWriter::writeChunk(std::deque<Job> &batch, std::size_t from, std::size_t to,
                                   std::vector<Result> &results)
{
    const bool flush = m_flushToDisk;
    std::vector<std::optional<TemporaryFile>> files;
    std::vector<int> fds;
    for (std::size_t i = from; i < to; ++i) {
        Job &job = batch[i];
        results.push_back({job.id, std::nullopt, false, std::move(job.whenKept)});
        // An empty text makes no file; the record stays in memory.
        if (job.text.isEmpty()) {
            results.back().kept = true;
            files.emplace_back();
            continue;
        }
        QByteArray content;
        content.reserve(1 + job.sender.size() + 2 + job.text.size());
        content.append(job.importance).append(job.sender).append(kCrLf).append(job.text);
        files.push_back(writeTemporaryFile(job.messagesDir, content));
        if (files.back())
            fds.push_back(files.back()->fd);
    }
    const std::vector<bool> flushed = flush ? flushToDisk(fds) : std::vector<bool>(fds.size(), true);
    std::size_t next = 0;
    for (std::size_t i = from; i < to; ++i) {
        std::optional<TemporaryFile> &file = files[i - from];
        if (file && closeTemporaryFile(*file, flushed[next++]))
            name(batch[i], file->path, results[i]);
    }
}

std::vector<MessageFileWriter::Result> MessageFileWriter::writeBatch(std::deque<Job> &batch)
{
    std::vector<Result> results;
    results.reserve(batch.size());
    for (std::size_t from = 0; from < batch.size(); from += kFilesAtOnce)
        writeChunk(batch, from, std::min(batch.size(), from + kFilesAtOnce), results);
    if (!m_flushToDisk)
        return results;
    // The new names are on the disk only once their folder is: one flush for the whole batch.
    std::set<QString> folders;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (results[i].path)
            folders.insert(batch[i].messagesDir);
    }
    std::set<QString> failed;
    for (const QString &folder : folders) {
        if (syncFolder(folder) != 0)
            failed.insert(folder);
    }
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (results[i].path && failed.contains(batch[i].messagesDir))
            results[i].kept = false;
    }
    return results;
}

void MessageFileWriter::run(std::stop_token stop)
{
    while (true) {
        std::deque<Job> batch;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return stop.stop_requested() || !m_jobs.empty(); });
            if (m_jobs.empty())
                return; // asked to stop, and everything is written
            batch.swap(m_jobs);
            m_writing = true;
        }
        std::vector<Result> results = writeBatch(batch);
        bool first = false;
        {
            const std::lock_guard lock(m_mutex);
            first = m_results.empty();
            for (Result &result : results)
                m_results.push_back(std::move(result));
            m_writing = false;
            m_changed.notify_all();
        }
        if (first && m_resultsWaiting)
            m_resultsWaiting();
    }
}

} // namespace tq
