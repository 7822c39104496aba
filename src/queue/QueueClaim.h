#pragma once

#include "platform/UniqueFd.h"

#include <QString>

#include <optional>

namespace tq {

// The right to deliver, change or remove one waiting message, held by one process at a
// time: an exclusive lock on the entry's claim file. The system drops the lock when the
// process ends in any way, kill -9 included, so a claim never outlives its owner.
class QueueClaim {
public:
    enum class Status {
        Claimed,
        Busy, // another process (or another claim in this one) holds it
        Gone, // the entry is no longer there: delivered or cancelled meanwhile
        Failed, // the claim file could not be made
    };

    // Claims the entry `entryPath` through the lock file `lockPath`.
    static std::optional<QueueClaim> take(const QString &entryPath, const QString &lockPath, Status &status);

    QueueClaim(QueueClaim &&) noexcept = default;
    QueueClaim &operator=(QueueClaim &&) noexcept = default;
    // Frees the claim: the lock file goes while it is still locked.
    ~QueueClaim();

private:
    QueueClaim(UniqueFd lock, QString lockPath);

    UniqueFd m_lock;
    QString m_lockPath;
};

} // namespace tq
