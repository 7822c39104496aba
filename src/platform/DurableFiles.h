#pragma once

#include <QByteArrayView>
#include <QString>

namespace tq {

// File operations that survive a crash or a power cut once they have returned. Each returns
// 0 or the errno of the step that failed.

// Writes `bytes` to `folder` + `name` in one step: a temporary file in the same folder is
// written, flushed to the disk and renamed over the name, and the folder itself is flushed.
// A failure (a full disk, say) leaves no temporary file and the old file, if any, untouched.
int writeFileDurably(const QString &folder, const QString &name, QByteArrayView bytes);

// Appends `bytes` to the file, creating it, and flushes it to the disk. A failed append is
// taken back, so the file holds whole entries only.
int appendDurably(const QString &path, QByteArrayView bytes);

// Removes the file and flushes its folder, so the removal is not undone by a crash.
int removeDurably(const QString &folder, const QString &name);

// Flushes the folder's list of names to the disk.
int syncFolder(const QString &folder);

// The names writeFileDurably() gives its temporary files begin with this, then the writer's
// process id and a '-'.
inline constexpr char kTemporaryPrefix[] = ".tmp-";
// The process that writes a temporary file of that name; 0 when the name is not one.
int temporaryFileOwner(const QString &name);

} // namespace tq
