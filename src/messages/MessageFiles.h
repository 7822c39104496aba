#pragma once

#include "messages/MessageList.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace tq {

// Received messages are kept one file each in the messages folder, so they survive a restart.
// Users copy these files between stations, so name and layout stay exactly as they are:
//   name:    MMDDhhmmssmmm + systemName + ".tqm" (month, day, hour, minute, second, millisecond
//            of the arrival)
//   content: the importance character, the sender, CR LF, then the text to the end of the file.

// The file name for a message from `systemName` that arrived at `arrivalTime`; empty when the
// name could leave the messages folder or cannot be a file name (it holds '/', '\\' or NUL).
QString messageFileName(const QDateTime &arrivalTime, const QByteArray &systemName);

// Creates the message file and returns its path, or nothing when the message cannot be
// stored (the caller keeps it in memory without a file). An existing file is never replaced:
// a name already taken moves on by a millisecond until it is free, which keeps the name
// format and the arrival order of names. `usedTime`, when given, receives the time the name
// was made from.
std::optional<QString> WriteMessageFile(char importance, const QByteArray &systemName, const QByteArray &sender,
                                        const QByteArray &text, const QDateTime &arrivalTime,
                                        const QString &messagesDir, QDateTime *usedTime = nullptr);

// A record made from a file's content; nothing for an empty file or one without CR LF.
std::optional<MessageRecord> parseMessageFile(QByteArray content, const QString &filePath);

// No file this program writes comes near this size (a packet is cut at 64 KiB, and sender
// and stamp add little); a larger file in the folder is not read into memory at start-up.
inline constexpr qint64 kMaxStoredMessageFileSize = 128 * 1024;

// A message file as the start-up load read it. The start-up reads each file once: the message
// list and the history are both made from these.
struct StoredMessageFile {
    MessageRecord record;
    // When the file was last written, in milliseconds since the epoch: the year of an arrival
    // whose stamp does not say it.
    qint64 modifiedMs = 0;
};

// Reads every readable message file of the folder, in name order (which is arrival order
// within a year). Empty, unreadable, malformed and too large files are skipped; the last stay
// on disk and are counted in `tooLarge`.
std::vector<StoredMessageFile> ReadStoredMessageFiles(const QString &messagesDir, quint32 *tooLarge = nullptr);

// Appends the records of `files` to `list` in their order, then shows the oldest
// (`dontAutoLast`) or the newest. The records share their bytes with `files`. Returns the
// number of records added.
quint32 LoadStoredMessages(MessageList &list, bool dontAutoLast, const std::vector<StoredMessageFile> &files);
struct StoredMessagesLoad {
    quint32 added = 0; // records appended
    quint32 tooLarge = 0; // files skipped for their size; they stay on disk
};
// The same for the files of a folder, read here.
StoredMessagesLoad LoadStoredMessages(MessageList &list, bool dontAutoLast, const QString &messagesDir);

// Removes one message file; a file that is already gone or cannot be removed is no error.
void DeleteMessageFile(const QString &path);

} // namespace tq
