#include "platform/DurableFiles.h"

#include "platform/UniqueFd.h"

#include <QFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace tq {
namespace {

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

int writeAll(int fd, QByteArrayView bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.data() + written, static_cast<size_t>(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return count < 0 ? errno : EIO;
        written += count;
    }
    return 0;
}

} // namespace

int syncFolder(const QString &folder)
{
    const UniqueFd fd(::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        return errno;
    return ::fsync(fd.get()) == 0 ? 0 : errno;
}

int writeFileDurably(const QString &folder, const QString &name, QByteArrayView bytes)
{
    const QString temporary = folder + QLatin1String(kTemporaryPrefix) + QString::number(::getpid()) + QLatin1Char('-')
        + QString::number(QRandomGenerator::global()->generate64(), 16);
    const QByteArray temporaryPath = native(temporary);
    const int fd = ::open(temporaryPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    int error = writeAll(fd, bytes);
    if (error == 0 && ::fdatasync(fd) != 0)
        error = errno;
    // The descriptor is gone after close() whatever it says; a failure still means lost data.
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporaryPath.constData(), native(folder + name).constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporaryPath.constData());
        return error;
    }
    return syncFolder(folder);
}

int appendDurably(const QString &path, QByteArrayView bytes)
{
    const UniqueFd fd(::open(native(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600));
    if (!fd.valid())
        return errno;
    const off_t before = ::lseek(fd.get(), 0, SEEK_END);
    int error = writeAll(fd.get(), bytes);
    if (error == 0 && ::fdatasync(fd.get()) != 0)
        error = errno;
    // A piece written before the disk filled would stand in the file as a broken entry.
    if (error != 0 && before >= 0 && ::ftruncate(fd.get(), before) != 0) {
        // Nothing more can be done: the caller is told of the first failure.
    }
    return error;
}

int removeDurably(const QString &folder, const QString &name)
{
    if (::unlink(native(folder + name).constData()) != 0)
        return errno;
    return syncFolder(folder);
}

int temporaryFileOwner(const QString &name)
{
    if (!name.startsWith(QLatin1String(kTemporaryPrefix)))
        return 0;
    const qsizetype start = qstrlen(kTemporaryPrefix);
    const qsizetype dash = name.indexOf(QLatin1Char('-'), start);
    if (dash < 0)
        return 0;
    bool ok = false;
    const int pid = name.sliced(start, dash - start).toInt(&ok);
    return ok && pid > 0 ? pid : 0;
}

} // namespace tq
