#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace tq {

// Writes message files (WriteMessageFile) on a thread of its own, one after the other in the
// order they were handed over, so that the disk never holds up the user-interface thread: in a
// burst of messages, creating the files costs far more than all the rest of their arrival, and
// looking a name up while the folder is being written to waits for the disk as well. Nothing
// handed over is lost at the end: the writer finishes its queue before it goes.
class MessageFileWriter {
public:
    struct Result {
        quint64 id = 0;
        std::optional<QString> path; // none: the file could not be written
    };

    // `resultsWaiting` runs on the writer's thread when a result is there to be taken and none
    // was before.
    explicit MessageFileWriter(std::function<void()> resultsWaiting = {});
    ~MessageFileWriter();
    MessageFileWriter(const MessageFileWriter &) = delete;
    MessageFileWriter &operator=(const MessageFileWriter &) = delete;

    // Queues one file; its result comes back under `id`.
    void write(quint64 id, char importance, const QByteArray &systemName, const QByteArray &sender,
               const QByteArray &text, const QDateTime &arrivalTime, const QString &messagesDir);
    // Returns once every file handed over so far has been written or has failed.
    void flush();
    // The results that came in since the last call, in the order the files were handed over.
    std::vector<Result> takeResults();

private:
    struct Job {
        quint64 id;
        char importance;
        QByteArray systemName;
        QByteArray sender;
        QByteArray text;
        QDateTime arrivalTime;
        QString messagesDir;
    };
    void run(std::stop_token stop);
    std::optional<QString> writeFile(const Job &job);

    std::function<void()> m_resultsWaiting;
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
