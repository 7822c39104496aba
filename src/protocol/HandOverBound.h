#pragma once

#include <QtGlobal>

#include <mutex>

namespace tq {

// How much the receivers may have handed over that is not kept yet: a flood must not take all
// memory while the user-interface thread and the disk catch up. Shared by both receivers; a
// message counts from its hand-over until its receiver hears whether it was kept.
class HandOverBound {
public:
    static constexpr qint64 kMaxMessages = 10000;
    static constexpr qint64 kMaxBytes = 64 * 1024 * 1024;

    explicit HandOverBound(qint64 maxMessages = kMaxMessages, qint64 maxBytes = kMaxBytes);

    // Counts one message of `bytes` in when it fits; false when the bound is reached.
    bool tryTake(qint64 bytes);
    void give(qint64 bytes);
    bool full() const;
    qint64 messagesWaiting() const;

private:
    const qint64 m_maxMessages;
    const qint64 m_maxBytes;
    mutable std::mutex m_mutex;
    qint64 m_messages = 0;
    qint64 m_bytes = 0;
};

} // namespace tq
