#pragma once

#include <atomic>

namespace tq {

// The last known message counts of the two mailboxes. One pair serves the whole process: the
// background check and a check in the progress window both read and write it, and the e-mail
// preferences page resets it when mail checking is switched.
class MailCounts {
public:
    static MailCounts &process();

    // `mailbox` is 111 (the first) or 112 (the second).
    int count(int mailbox) const;
    void setCount(int mailbox, int count);
    void reset();

private:
    std::atomic<int> m_first{0};
    std::atomic<int> m_second{0};
};

} // namespace tq
