#include "queue/UndeliveredFile.h"

#include "messages/ArrivalStamp.h"
#include "messages/FilteredMessageFile.h"
#include "platform/DurableFiles.h"
#include "queue/QueuedMessage.h"

namespace tq {

UndeliveredFile::UndeliveredFile(const QString &appDataDir)
    : m_path(appDataDir)
{
    if (!m_path.isEmpty() && !m_path.endsWith(QLatin1Char('/')))
        m_path += QLatin1Char('/');
    m_path += QLatin1String(kFileName);
}

int UndeliveredFile::keep(const QueuedMessage &entry) const
{
    return appendDurably(m_path, undeliveredEntry(entry));
}

QByteArray undeliveredEntry(const QueuedMessage &entry)
{
    const QByteArray reason = "Not delivered to " + entry.destination.toUtf8() + ".\r\n";
    const QByteArray queued = ArrivalStampFormat().stamp(entry.queuedAt.toLocalTime());
    QByteArray bytes = filteredEntryText(reason, queued, entry.text());
    bytes.append("\r\n*******************************************\r\n");
    return bytes;
}

} // namespace tq
