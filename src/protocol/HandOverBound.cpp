#include "protocol/HandOverBound.h"

namespace tq {

HandOverBound::HandOverBound(qint64 maxMessages, qint64 maxBytes)
    : m_maxMessages(maxMessages)
    , m_maxBytes(maxBytes)
{
}

bool HandOverBound::tryTake(qint64 bytes)
{
    const std::lock_guard lock(m_mutex);
    // One message larger than the byte bound still goes through alone.
    if (m_messages >= m_maxMessages || (m_messages > 0 && m_bytes + bytes > m_maxBytes))
        return false;
    ++m_messages;
    m_bytes += bytes;
    return true;
}

void HandOverBound::give(qint64 bytes)
{
    const std::lock_guard lock(m_mutex);
    --m_messages;
    m_bytes -= bytes;
}

bool HandOverBound::full() const
{
    const std::lock_guard lock(m_mutex);
    return m_messages >= m_maxMessages || m_bytes >= m_maxBytes;
}

qint64 HandOverBound::messagesWaiting() const
{
    const std::lock_guard lock(m_mutex);
    return m_messages;
}

} // namespace tq
