#pragma once

#include "queue/QueueClaim.h"
#include "queue/QueuedMessage.h"

#include <QList>
#include <QString>

#include <optional>

namespace tq {

// The messages that wait for delivery later: one file each in the application-data folder's
// "queue/", shared by every process of the user (the window, the command line). Each file
// is written whole or not at all, so a crash or a full disk never leaves a broken entry nor
// touches the others. Before a process delivers, changes or removes an entry it claims it
// (QueueClaim), so no two processes ever deliver the same entry.
//
// The object holds nothing but the folder's name: any thread may use it, and several
// objects on one folder work together like several processes do.
class DeliveryQueue {
public:
    explicit DeliveryQueue(const QString &appDataDir);

    static QString folderIn(const QString &appDataDir);
    const QString &folder() const { return m_folder; }
    // Where entries that cannot be read are kept aside.
    QString unreadableFolder() const;

    struct Added {
        QString id; // empty when the entry could not be written
        int error = 0; // errno of the failed step
        bool ok() const { return error == 0; }
        QString errorText() const;
    };
    // Writes a new entry (its id is made here); the folder is created when missing.
    Added add(QueuedMessage entry) const;

    // Every readable entry, the oldest first. On the way, files that are no entry are moved
    // into unreadableFolder(), and temporary files of writers that ended before they were
    // done are removed. Entries of a newer program are left where they are.
    QList<QueuedMessage> entries() const;
    std::optional<QueuedMessage> read(const QString &id) const;

    std::optional<QueueClaim> claim(const QString &id, QueueClaim::Status &status) const;
    // Both need the entry's claim. They return 0 or an errno; on failure the file stays as it
    // was.
    int update(const QueueClaim &claim, const QueuedMessage &entry) const;
    int remove(const QueueClaim &claim, const QString &id) const;

private:
    QString entryName(const QString &id) const;
    QString claimPath(const QString &id) const;
    void setAside(const QString &name) const;
    void removeAbandonedTemporary(const QString &name) const;

    QString m_folder;
};

// An id names a file in the queue folder and nothing else.
bool isQueueId(const QString &id);

} // namespace tq
