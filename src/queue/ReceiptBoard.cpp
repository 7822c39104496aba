#include "queue/ReceiptBoard.h"

#include "protocol/MessagePacket.h"

#include <algorithm>

namespace tq {

ReceiptBoard::Wait::Wait(QByteArray address, qsizetype textSize)
    : m_address(std::move(address))
    , m_textSize(textSize)
{
}

std::shared_ptr<ReceiptBoard::Wait> ReceiptBoard::await(const QByteArray &address, qsizetype textSize)
{
    std::shared_ptr<Wait> wait(new Wait(address, textSize));
    const std::lock_guard lock(m_mutex);
    std::erase_if(m_waits, [](const std::weak_ptr<Wait> &w) { return w.expired(); });
    m_waits.push_back(wait);
    return wait;
}

void ReceiptBoard::post(const QByteArray &senderIp, QByteArrayView datagram)
{
    const qsizetype size = confirmedTextSize(datagram);
    if (size < 0)
        return;
    const std::lock_guard lock(m_mutex);
    for (const std::weak_ptr<Wait> &entry : m_waits) {
        const std::shared_ptr<Wait> wait = entry.lock();
        if (wait && wait->m_address == senderIp && wait->m_textSize == size && !wait->m_hit.exchange(true))
            wait->m_arrived.signal();
    }
}

qsizetype confirmedTextSize(QByteArrayView datagram)
{
    if (!isDeliveryReceipt(datagram))
        return -1;
    const ParsedPacket receipt = ParseDatagramPacket(datagram);
    if (!receipt.wellFormed)
        return -1;
    static constexpr QByteArrayView kSizeLabel{"Size of received message: "};
    const qsizetype at = receipt.text.lastIndexOf(kSizeLabel);
    if (at < 0)
        return -1;
    const QByteArray digits = receipt.text.sliced(at + kSizeLabel.size()).trimmed();
    bool ok = false;
    const qsizetype size = digits.toLongLong(&ok);
    return ok && size >= 0 ? size : -1;
}

} // namespace tq
