#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace tq {

// A message file appears whole or not at all, even when the program is killed or the power
// fails while it is written: its bytes go under a temporary name in the messages folder
// (hidden, without the message suffix, so no start-up reads it), are flushed to the disk when
// asked, and only then take their final name, never replacing a file already there.

struct TemporaryFile {
    QString path;
    int fd = -1; // still open, for the flush; closeTemporaryFile() closes it
};

// Writes `content` to a new temporary file in `folder`.
std::optional<TemporaryFile> writeTemporaryFile(const QString &folder, const QByteArray &content);

// Flushes the data of each file to the disk (fdatasync). Several flushes run at once, which
// the file system joins into a few commits: one after the other, each waits for a commit of
// its own. Returns for each file whether it is on the disk.
std::vector<bool> flushToDisk(const std::vector<int> &fds);

// Closes the file; false, and the file removed, when the close reports lost data or `keep`
// is false.
bool closeTemporaryFile(TemporaryFile &file, bool keep);

// What became of placing a temporary file under its message file name.
struct PlacedFile {
    enum class Outcome { Placed, NoName, Failed };
    Outcome outcome = Outcome::Failed;
    QString path;
    QDateTime nameTime; // the time the name was made from
};

// Gives the temporary file the name of a message from `systemName` that arrived at `start`;
// a name already taken moves on by a millisecond until one is free (the name rules of
// WriteMessageFile). NoName: the system name cannot make a file name; the temporary file is
// removed unless Placed.
PlacedFile placeMessageFile(const QString &temporaryPath, const QByteArray &systemName, const QDateTime &start,
                            const QString &messagesDir);

// Removes the temporary files a killed program left behind in `folder`.
void removeLeftoverTemporaryFiles(const QString &folder);

} // namespace tq
