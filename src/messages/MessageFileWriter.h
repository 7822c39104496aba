#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace tq {

// Writes message files on a thread of its own, in the order they were handed over, so that
// the disk never holds up the user-interface thread. A file is whole or absent (see
// DurableMessageFile), and with the flush on it is on the disk before its result comes back.
// The writer works in batches (group commit): it takes every file waiting, writes them, flushes
// them together, names them, flushes each folder once, and then hands the batch's results back
// together, so a burst costs one folder flush, not one for each message. Nothing handed over
// is lost at the end: the writer finishes its queue before it goes.
class MessageFileWriter {
public:
    struct Result {
        quint64 id = 0;
        std::optional<QString> path; // none: no file (see kept)
        // The message is kept: in its file, or in memory only because its sender's name can
        // make no file name. False: the disk failed it; its sender must not hear it arrived.
        bool kept = false;
        std::function<void()> whenKept; // as handed over
    };

    // `resultsWaiting` runs on the writer's thread when a result is there to be taken and none
    // was before.
    explicit MessageFileWriter(std::function<void()> resultsWaiting = {});
    ~MessageFileWriter();
    MessageFileWriter(const MessageFileWriter &) = delete;
    MessageFileWriter &operator=(const MessageFileWriter &) = delete;

    // Queues one file; its result comes back under `id`, with `whenKept` for the taker to run.
    void write(quint64 id, char importance, const QByteArray &systemName, const QByteArray &sender,
               const QByteArray &text, const QDateTime &arrivalTime, const QString &messagesDir,
               std::function<void()> whenKept = {});
    // Returns once every file handed over so far has been written or has failed.
    void flush();
    // The results that came in since the last call, in the order the files were handed over.
    std::vector<Result> takeResults();
    // Off: files and folders are not flushed to the disk (the benchmark's comparison; a
    // crash may then lose acknowledged messages). On by default.
    void setFlushToDisk(bool on) { m_flushToDisk = on; }

private:
    struct Job {
        quint64 id;
        char importance;
        QByteArray systemName;
        QByteArray sender;
        QByteArray text;
        QDateTime arrivalTime;
        QString messagesDir;
        std::function<void()> whenKept;
    };
    void run(std::stop_token stop);
    std::vector<Result> writeBatch(std::deque<Job> &batch);
    // Writes jobs [from, to) of the batch, flushes them together and names them.
    void writeChunk(std::deque<Job> &batch, std::size_t from, std::size_t to, std::vector<Result> &results);
    void name(const Job &job, const QString &temporaryPath, Result &result);

    std::function<void()> m_resultsWaiting;
    std::atomic<bool> m_flushToDisk{true};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;
    bool m_writing = false;
    std::vector<Result> m_results;
    // The last name time taken for each sender in each folder. A sender's next file starts
    // looking from the millisecond after it, instead of trying every name that a burst of its
    // messages has taken already. Only the writer's thread uses it.
    std::map<std::pair<QString, QByteArray>, QDateTime> m_lastNameTime;
    std::jthread m_thread;
};

} // namespace tq
