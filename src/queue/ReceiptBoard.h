#pragma once

#include "platform/WakeupEvent.h"

#include <QByteArray>
#include <QByteArrayView>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace tq {

// Where a datagram's delivery receipt is awaited. A receipt goes back to the reply port the
// datagram names, which this program's own UDP receiver holds; the receiver's owner posts
// every receipt it gets here, and a delivery attempt that waits for one is woken. Any
// thread may post and wait.
class ReceiptBoard {
public:
    // One attempt's wait for a receipt from `address` confirming a text of `textSize` bytes.
    class Wait {
    public:
        // Readable once the receipt came.
        int fd() const { return m_arrived.fd(); }
        bool hasArrived() const { return m_hit.load(); }

    private:
        friend class ReceiptBoard;
        Wait(QByteArray address, qsizetype textSize);

        const QByteArray m_address;
        const qsizetype m_textSize;
        WakeupEvent m_arrived;
        std::atomic<bool> m_hit{false};
    };

    // Whether a receiver hands its receipts to this board: without one no receipt could be
    // heard, so datagrams are not sent at all.
    void setListening(bool listening) { m_listening.store(listening); }
    bool isListening() const { return m_listening.load(); }

    // The wait ends when the returned object is dropped.
    std::shared_ptr<Wait> await(const QByteArray &address, qsizetype textSize);

    // A datagram that came to the receiver from `senderIp`; all but receipts are ignored.
    void post(const QByteArray &senderIp, QByteArrayView datagram);

private:
    std::atomic<bool> m_listening{false};
    std::mutex m_mutex;
    std::vector<std::weak_ptr<Wait>> m_waits;
};

// The size a receipt says the received text had; -1 when `datagram` is no receipt.
qsizetype confirmedTextSize(QByteArrayView datagram);

} // namespace tq
