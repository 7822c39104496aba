#include "protocol/StreamPacketReader.h"

namespace tq {

StreamPacketReader::State StreamPacketReader::feed(QByteArrayView chunk)
{
    m_received += chunk.size();
    if (m_received > kMaxPacket) {
        m_cut = true;
        return m_state = State::Complete;
    }
    m_buffer.append(chunk);
    if (m_buffer.endsWith("/$6/$7") || m_buffer.endsWith("/$4\n"))
        m_state = State::Complete;
    else if (m_buffer.endsWith("/$7"))
        m_state = State::CompleteIfQuiet;
    else
        m_state = State::Reading;
    return m_state;
}

QByteArray StreamPacketReader::text() const
{
    const qsizetype nul = m_buffer.indexOf('\0');
    return nul < 0 ? m_buffer : m_buffer.first(nul);
}

} // namespace tq
