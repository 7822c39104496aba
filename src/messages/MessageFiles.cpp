#include "messages/MessageFiles.h"

#include "messages/DisplayText.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tq {
namespace {

// How far a taken name may move on before the message is kept in memory only.
constexpr int kMaxNameAttempts = 1000;

const QByteArray kCrLf("\r\n");

} // namespace

QString messageFileName(const QDateTime &arrivalTime, const QByteArray &systemName)
{
    if (systemName.contains('/') || systemName.contains('\\') || systemName.contains('\0'))
        return {};
    const QDate date = arrivalTime.date();
    const QTime time = arrivalTime.time();
    // The name takes the characters of systemName as the display reads them, so a name
    // written in Windows-1252 gives the same letters here.
    return QString::asprintf("%02d%02d%02d%02d%02d%03d", date.month(), date.day(), time.hour(), time.minute(),
                             time.second(), time.msec())
        + decodeMessageBytes(systemName) + QStringLiteral(".tqm");
}

std::optional<QString> WriteMessageFile(char importance, const QByteArray &systemName, const QByteArray &sender,
                                        const QByteArray &text, const QDateTime &arrivalTime,
                                        const QString &messagesDir, QDateTime *usedTime)
{
    if (text.isEmpty() || messageFileName(arrivalTime, systemName).isEmpty())
        return std::nullopt;

    QByteArray content;
    content.reserve(1 + sender.size() + 2 + text.size());
    content.append(importance).append(sender).append(kCrLf).append(text);

    QDateTime nameTime = arrivalTime;
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt, nameTime = nameTime.addMSecs(1)) {
        const QString path = messagesDir + messageFileName(nameTime, systemName);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFile::exists(path))
                continue;
            return std::nullopt;
        }
        const bool written = file.write(content) == content.size() && file.flush();
        file.close();
        if (!written || file.error() != QFileDevice::NoError) {
            // A file without its text would come back as a broken message at the next start.
            QFile::remove(path);
            return std::nullopt;
        }
        if (usedTime)
            *usedTime = nameTime;
        return path;
    }
    return std::nullopt;
}

std::optional<MessageRecord> parseMessageFile(QByteArray content, const QString &filePath)
{
    // Byte 0 is the importance character, so the sender's CR LF is looked for after it.
    const qsizetype lineEnd = content.indexOf(kCrLf, 1);
    if (lineEnd < 0)
        return std::nullopt;
    MessageRecord record;
    record.highImportance = content.at(0) == '1';
    record.sender = content.mid(1, lineEnd - 1);
    content.remove(0, lineEnd + 2);
    record.text = std::move(content);
    record.filePath = filePath;
    return record;
}

namespace {

bool hasMessageSuffix(const char *name)
{
    // Matched without regard to case: files copied from other stations may say ".TQM".
    const size_t length = std::strlen(name);
    return length >= 4 && ::strcasecmp(name + length - 4, ".tqm") == 0;
}

struct FileContent {
    QByteArray bytes;
    qint64 modifiedMs = 0;
};

// The whole file, or nothing when it cannot be opened, is not a regular file, or is too large
// to be a message (`tooLarge` is then set).
std::optional<FileContent> readWholeFile(int folderFd, const QByteArray &name, bool &tooLarge)
{
    const int fd = ::openat(folderFd, name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    std::optional<FileContent> content;
    struct stat info { };
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    tooLarge = regular && info.st_size > kMaxStoredMessageFileSize;
    if (regular && !tooLarge) {
        QByteArray bytes(static_cast<qsizetype>(info.st_size), Qt::Uninitialized);
        qsizetype filled = 0;
        while (filled < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            filled += got;
        }
        bytes.truncate(filled);
        content = FileContent{std::move(bytes), qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000};
    }
    ::close(fd);
    return content;
}

} // namespace

std::vector<StoredMessageFile> ReadStoredMessageFiles(const QString &messagesDir, quint32 *tooLarge)
{
    const QByteArray folder = QFile::encodeName(messagesDir);
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return {};
    QByteArrayList names;
    while (const dirent *entry = ::readdir(dir)) {
        if (hasMessageSuffix(entry->d_name))
            names.append(QByteArray(entry->d_name));
    }
    // Names begin with month, day and time, so name order is arrival order within a year.
    std::sort(names.begin(), names.end());

    std::vector<StoredMessageFile> files;
    files.reserve(static_cast<size_t>(names.size()));
    for (const QByteArray &name : std::as_const(names)) {
        bool large = false;
        std::optional<FileContent> content = readWholeFile(::dirfd(dir), name, large);
        if (large && tooLarge)
            ++*tooLarge;
        if (!content || content->bytes.isEmpty())
            continue;
        if (std::optional<MessageRecord> record =
                parseMessageFile(std::move(content->bytes), messagesDir + QFile::decodeName(name))) {
            files.push_back({std::move(*record), content->modifiedMs});
        }
    }
    ::closedir(dir);
    return files;
}

quint32 LoadStoredMessages(MessageList &list, bool dontAutoLast, const std::vector<StoredMessageFile> &files)
{
    for (const StoredMessageFile &file : files)
        list.appendNewest(file.record);
    if (dontAutoLast)
        list.selectOldest();
    else
        list.selectNewest();
    return static_cast<quint32>(files.size());
}

StoredMessagesLoad LoadStoredMessages(MessageList &list, bool dontAutoLast, const QString &messagesDir)
{
    StoredMessagesLoad load;
    load.added = LoadStoredMessages(list, dontAutoLast, ReadStoredMessageFiles(messagesDir, &load.tooLarge));
    return load;
}

void DeleteMessageFile(const QString &path)
{
    if (!path.isEmpty())
        QFile::remove(path);
}

} // namespace tq
