#include "queue/DeliveryQueue.h"

#include "platform/DurableFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace tq {
namespace {

constexpr char kEntrySuffix[] = ".queued";
constexpr char kClaimsFolder[] = "claims/";
constexpr char kUnreadableFolder[] = "unreadable/";
// A message of a few megabytes is sent whole; a larger file is no entry of this program's.
constexpr qint64 kLargestEntry = 32 * 1024 * 1024;

QString newId()
{
    // Sorted by name is sorted by age, within one process to the entry; the process id and a
    // random part keep two writers in the same millisecond apart.
    static std::atomic<quint32> sequence{0};
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QLatin1Char('-')
        + QString::number(::getpid()) + QLatin1Char('-') + QStringLiteral("%1").arg(sequence++, 8, 10, QLatin1Char('0'))
        + QLatin1Char('-') + QString::number(QRandomGenerator::global()->generate(), 16);
}

bool processHasEnded(int pid)
{
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

bool isQueueId(const QString &id)
{
    return !id.isEmpty() && id.size() <= 80 && std::all_of(id.begin(), id.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('-');
    });
}

DeliveryQueue::DeliveryQueue(const QString &appDataDir)
    : m_folder(folderIn(appDataDir))
{
}

QString DeliveryQueue::folderIn(const QString &appDataDir)
{
    QString folder = appDataDir;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("queue/");
}

QString DeliveryQueue::unreadableFolder() const
{
    return m_folder + QLatin1String(kUnreadableFolder);
}

QString DeliveryQueue::Added::errorText() const
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString DeliveryQueue::entryName(const QString &id) const
{
    return id + QLatin1String(kEntrySuffix);
}

QString DeliveryQueue::claimPath(const QString &id) const
{
    return m_folder + QLatin1String(kClaimsFolder) + id + QStringLiteral(".lock");
}

DeliveryQueue::Added DeliveryQueue::add(QueuedMessage entry) const
{
    Added added;
    errno = 0;
    if (!QDir().mkpath(m_folder + QLatin1String(kClaimsFolder))) {
        added.error = errno != 0 ? errno : EACCES;
        return added;
    }
    entry.id = newId();
    const QByteArray bytes = encodeQueuedMessage(entry);
    if (bytes.size() > kLargestEntry) {
        added.error = EFBIG;
        return added;
    }
    added.error = writeFileDurably(m_folder, entryName(entry.id), bytes);
    if (added.ok())
        added.id = entry.id;
    return added;
}

QList<QueuedMessage> DeliveryQueue::entries() const
{
    QList<QueuedMessage> found;
    const QDir folder(m_folder);
    const QStringList names =
        folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        if (name.startsWith(QLatin1Char('.'))) {
            removeAbandonedTemporary(name);
            continue;
        }
        QFile file(m_folder + name);
        if (!file.open(QIODevice::ReadOnly))
            continue; // gone meanwhile (delivered elsewhere), or not ours to read
        if (!name.endsWith(QLatin1String(kEntrySuffix)) || file.size() > kLargestEntry) {
            file.close();
            setAside(name);
            continue;
        }
        DecodedQueueFile decoded = decodeQueuedMessage(file.readAll());
        const QString id = name.chopped(qstrlen(kEntrySuffix));
        if (decoded.kind == QueueFileKind::Entry && isQueueId(id)) {
            decoded.entry.id = id;
            found.append(std::move(decoded.entry));
        } else if (decoded.kind == QueueFileKind::Unreadable || !isQueueId(id)) {
            file.close();
            setAside(name);
        }
    }
    std::sort(found.begin(), found.end(), [](const QueuedMessage &a, const QueuedMessage &b) {
        return a.queuedAt != b.queuedAt ? a.queuedAt < b.queuedAt : a.id < b.id;
    });
    return found;
}

std::optional<QueuedMessage> DeliveryQueue::read(const QString &id) const
{
    if (!isQueueId(id))
        return std::nullopt;
    QFile file(m_folder + entryName(id));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestEntry)
        return std::nullopt;
    DecodedQueueFile decoded = decodeQueuedMessage(file.readAll());
    if (decoded.kind != QueueFileKind::Entry)
        return std::nullopt;
    decoded.entry.id = id;
    return std::move(decoded.entry);
}

std::optional<QueueClaim> DeliveryQueue::claim(const QString &id, QueueClaim::Status &status) const
{
    if (!isQueueId(id)) {
        status = QueueClaim::Status::Gone;
        return std::nullopt;
    }
    QDir().mkpath(m_folder + QLatin1String(kClaimsFolder));
    return QueueClaim::take(m_folder + entryName(id), claimPath(id), status);
}

int DeliveryQueue::update(const QueueClaim &, const QueuedMessage &entry) const
{
    if (!isQueueId(entry.id))
        return EINVAL;
    return writeFileDurably(m_folder, entryName(entry.id), encodeQueuedMessage(entry));
}

int DeliveryQueue::remove(const QueueClaim &, const QString &id) const
{
    if (!isQueueId(id))
        return EINVAL;
    return removeDurably(m_folder, entryName(id));
}

void DeliveryQueue::setAside(const QString &name) const
{
    const QString aside = unreadableFolder();
    if (!QDir().mkpath(aside))
        return;
    QString target = aside + name;
    for (int n = 1; QFile::exists(target) && n < 1000; ++n)
        target = aside + name + QLatin1Char('.') + QString::number(n);
    QFile::rename(m_folder + name, target);
}

void DeliveryQueue::removeAbandonedTemporary(const QString &name) const
{
    const int owner = temporaryFileOwner(name);
    if (owner > 0 && owner != ::getpid() && processHasEnded(owner))
        QFile::remove(m_folder + name);
}

} // namespace tq
