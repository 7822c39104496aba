// MessageStation: the stored messages (their load and removal), what keeps an acknowledged
// message kept (the flush, the free space) and what the station tells about it.
#include "station/MessageStation.h"

#include "messages/DurableMessageFile.h"
#include "res/StringTable.h"

#include <climits>

namespace tq {

void MessageStation::setFlushToDisk(bool on)
{
    m_incoming.setFlushToDisk(on);
}

void MessageStation::setFreeSpaceProbe(std::shared_ptr<const FreeSpaceProbe> probe)
{
    m_incoming.setFreeSpaceProbe(std::move(probe));
}

StoredMessagesLoad MessageStation::loadStoredMessages()
{
    if (!m_settingsCopy.storeAndLoad)
        return {};
    removeLeftoverTemporaryFiles(messagesDir());
    StoredMessagesLoad load;
    const std::vector<StoredMessageFile> files = ReadStoredMessageFiles(messagesDir(), &load.tooLarge);
    load.added = LoadStoredMessages(m_viewer.messages(), m_settingsCopy.dontAutoLast, files);
    Q_EMIT storedMessagesRead(files);
    if (load.tooLarge > 0)
        Q_EMIT largeMessageFilesSkipped(static_cast<int>(load.tooLarge));
    if (load.added > 0)
        Q_EMIT countersChanged();
    return load;
}

void MessageStation::removeMessageFile(const QString &filePath)
{
    // A file still being written would come back after its deletion.
    flushFiles();
    DeleteMessageFile(filePath);
    if (m_viewer.messages().removeFile(filePath)) {
        Q_EMIT messagesRemoved({filePath});
        Q_EMIT countersChanged();
    }
}

void MessageStation::tellDatagramsDropped(quint64 count)
{
    Q_EMIT sendProgress(0, tqFormat(Sid::DatagramsDropped, static_cast<int>(qMin<quint64>(count, INT_MAX))));
}

void MessageStation::tellDiskSpace(bool nearlyFull)
{
    const QString text = tqString(nearlyFull ? Sid::DiskNearlyFull : Sid::DiskSpaceBack);
    Q_EMIT sendProgress(0, text);
    Q_EMIT diskSpaceChanged(nearlyFull, text);
}

} // namespace tq
