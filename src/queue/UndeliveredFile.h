#pragma once

#include <QByteArray>
#include <QString>

namespace tq {

struct QueuedMessage;

// "undelivered.txt" in the application-data folder: the messages given up on, so nothing the
// user wrote is lost. Laid out as the filtered-message file: a reason line, a line of 43 '*',
// the time the message was queued, the text as it was sent, and a closing line of 43 '*'.
class UndeliveredFile {
public:
    static constexpr char kFileName[] = "undelivered.txt";

    explicit UndeliveredFile(const QString &appDataDir);
    const QString &path() const { return m_path; }

    // Appends the entry's message and flushes it to the disk; 0 or an errno. A failure leaves
    // the file as it was.
    int keep(const QueuedMessage &entry) const;

private:
    QString m_path;
};

// The bytes keep() appends.
QByteArray undeliveredEntry(const QueuedMessage &entry);

} // namespace tq
