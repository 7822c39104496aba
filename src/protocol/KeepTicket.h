#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>
#include <memory>

namespace tq {

class HandOverBound;

// Goes with a handed-over message back to its receiver: only once the message is kept (its
// file on disk, its filtered entry written, its record in the list, or dropped by the rules)
// may the sender hear that it arrived. The receiver learns it through `settled`, called once
// from the thread that calls kept(), or with false from wherever the last copy of the ticket
// goes without kept() having been called: a message nobody kept is never acknowledged.
class KeepTicket {
public:
    using Settled = std::function<void(bool kept)>;

    // `bound`, when given, counts the message's `bytes` out again once it is settled.
    KeepTicket(std::shared_ptr<HandOverBound> bound, qint64 bytes, Settled settled);
    ~KeepTicket();
    KeepTicket(const KeepTicket &) = delete;
    KeepTicket &operator=(const KeepTicket &) = delete;

    void kept();

private:
    void settle(bool kept);

    std::shared_ptr<HandOverBound> m_bound;
    const qint64 m_bytes;
    Settled m_settled;
    std::atomic<bool> m_done{false};
};

} // namespace tq
