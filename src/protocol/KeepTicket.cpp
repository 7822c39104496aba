#include "protocol/KeepTicket.h"

#include "protocol/HandOverBound.h"

namespace tq {

KeepTicket::KeepTicket(std::shared_ptr<HandOverBound> bound, qint64 bytes, Settled settled)
    : m_bound(std::move(bound))
    , m_bytes(bytes)
    , m_settled(std::move(settled))
{
}

KeepTicket::~KeepTicket()
{
    settle(false);
}

void KeepTicket::kept()
{
    settle(true);
}

void KeepTicket::settle(bool kept)
{
    if (m_done.exchange(true))
        return;
    if (m_bound)
        m_bound->give(m_bytes);
    if (m_settled)
        m_settled(kept);
}

} // namespace tq
