#pragma once

#include <QDateTime>
#include <QString>

namespace tq {

struct QueuedMessage;

// When a message was queued, as the user reads it: "09:12" on the day it was queued,
// with the date before it on a later day. `now` and the queue time are UTC.
QString queuedTimeText(const QDateTime &queuedAt, const QDateTime &now);

// "Delivered to Bob (queued 09:12)", for the status bar and a desktop notice.
QString deliveredText(const QueuedMessage &entry, const QDateTime &now, bool possiblyWithErrors = false);

// The entry was given up on; `keptIn` names the file that keeps its text.
QString notDeliveredText(const QueuedMessage &entry, const QDateTime &now, int retryDays, const QString &keptIn);

// The undelivered-message file could not be written: the entry stays in the queue.
QString undeliveredFileFailedText(const QString &path, const QString &reason);

// A delivered entry that could not be taken out of `folder`: it may be delivered again.
QString removalFailedText(const QueuedMessage &entry, const QString &folder, const QString &reason);

} // namespace tq
