#include "queue/QueueClaim.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>

namespace tq {
namespace {

// The lock file another claim has just removed is locked in vain; a handful of tries always
// finds the current one.
constexpr int kTries = 8;

bool sameFile(int fd, const QByteArray &path)
{
    struct stat open { };
    struct stat named { };
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 && open.st_dev == named.st_dev
        && open.st_ino == named.st_ino;
}

} // namespace

QueueClaim::QueueClaim(UniqueFd lock, QString lockPath)
    : m_lock(std::move(lock))
    , m_lockPath(std::move(lockPath))
{
}

QueueClaim::~QueueClaim()
{
    // Removed before it is unlocked: a process that opened the same file and locks it once
    // this one lets go sees that its file is no longer the one named, and tries again.
    if (m_lock.valid())
        ::unlink(QFile::encodeName(m_lockPath).constData());
}

std::optional<QueueClaim> QueueClaim::take(const QString &entryPath, const QString &lockPath, Status &status)
{
    const QByteArray lock = QFile::encodeName(lockPath);
    const QByteArray entry = QFile::encodeName(entryPath);
    for (int attempt = 0; attempt < kTries; ++attempt) {
        UniqueFd fd(::open(lock.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
        if (!fd.valid()) {
            status = Status::Failed;
            return std::nullopt;
        }
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
            status = errno == EWOULDBLOCK ? Status::Busy : Status::Failed;
            return std::nullopt;
        }
        if (!sameFile(fd.get(), lock))
            continue; // its holder removed it on the way out
        QueueClaim claim(std::move(fd), lockPath);
        if (::access(entry.constData(), F_OK) != 0) {
            status = Status::Gone;
            return std::nullopt; // the claim goes, and its lock file with it
        }
        status = Status::Claimed;
        return claim;
    }
    status = Status::Busy;
    return std::nullopt;
}

} // namespace tq
