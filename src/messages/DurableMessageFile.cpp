#include "messages/DurableMessageFile.h"

#include "messages/MessageFiles.h"
#include "platform/UniqueFd.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace tq {
namespace {

const QString kTemporaryPrefix = QStringLiteral(".incoming-");
const QString kTemporarySuffix = QStringLiteral(".part");
// How far a taken name may move on before the message is kept in memory only.
constexpr int kMaxNameAttempts = 1000;
// Flushes running at once.
constexpr std::size_t kFlushThreads = 32;

std::atomic<quint64> g_temporaryCount{0};

bool writeAll(int fd, const QByteArray &content)
{
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t written = ::write(fd, content.constData() + done, content.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// Names `from` as `to` unless `to` exists. 0, or the error.
int renameWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // A file system without the flag: a second name is made only where none is, then the
    // temporary one goes.
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    ::unlink(from.constData());
    return 0;
}

} // namespace

std::optional<TemporaryFile> writeTemporaryFile(const QString &folder, const QByteArray &content)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = folder + kTemporaryPrefix + QString::number(::getpid()) + QLatin1Char('-')
            + QString::number(++g_temporaryCount) + kTemporarySuffix;
        const QByteArray name = QFile::encodeName(path);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return std::nullopt;
        }
        TemporaryFile file{path, fd};
        if (!writeAll(fd, content)) {
            closeTemporaryFile(file, false);
            return std::nullopt;
        }
        return file;
    }
    return std::nullopt;
}

std::vector<bool> flushToDisk(const std::vector<int> &fds)
{
    std::vector<char> flushed(fds.size(), 0);
    const std::size_t threads = std::min(kFlushThreads, fds.size());
    {
        std::vector<std::jthread> workers;
        for (std::size_t t = 0; t < threads; ++t) {
            workers.emplace_back([&, t] {
                for (std::size_t i = t; i < fds.size(); i += threads)
                    flushed[i] = ::fdatasync(fds[i]) == 0;
            });
        }
    }
    return std::vector<bool>(flushed.begin(), flushed.end());
}

bool closeTemporaryFile(TemporaryFile &file, bool keep)
{
    // A failed close may mean the data never reached the disk.
    const bool closed = ::close(std::exchange(file.fd, -1)) == 0;
    if (closed && keep)
        return true;
    ::unlink(QFile::encodeName(file.path).constData());
    return false;
}

PlacedFile placeMessageFile(const QString &temporaryPath, const QByteArray &systemName, const QDateTime &start,
                            const QString &messagesDir)
{
    const QByteArray from = QFile::encodeName(temporaryPath);
    PlacedFile placed;
    if (messageFileName(start, systemName).isEmpty()) {
        ::unlink(from.constData());
        placed.outcome = PlacedFile::Outcome::NoName;
        return placed;
    }
    QDateTime nameTime = start;
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt, nameTime = nameTime.addMSecs(1)) {
        const QString path = messagesDir + messageFileName(nameTime, systemName);
        const int error = renameWithoutReplacing(from, QFile::encodeName(path));
        if (error == EEXIST)
            continue;
        if (error != 0)
            break;
        placed.outcome = PlacedFile::Outcome::Placed;
        placed.path = path;
        placed.nameTime = nameTime;
        return placed;
    }
    ::unlink(from.constData());
    return placed;
}

void removeLeftoverTemporaryFiles(const QString &folder)
{
    QDir dir(folder);
    const QStringList names = dir.entryList({kTemporaryPrefix + QLatin1Char('*') + kTemporarySuffix},
                                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        dir.remove(name);
}

} // namespace tq
