// MessageStation: what keeps an acknowledged message kept (the flush, the free space) and
// what the station tells about it.
#include "station/MessageStation.h"

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
