#include "mail/MailCounts.h"

#include "mail/MailTray.h"

namespace tq {

MailCounts &MailCounts::process()
{
    static MailCounts counts;
    return counts;
}

int MailCounts::count(int mailbox) const
{
    return mailbox == kSecondMailbox ? m_second.load() : m_first.load();
}

void MailCounts::setCount(int mailbox, int count)
{
    (mailbox == kSecondMailbox ? m_second : m_first).store(count);
}

void MailCounts::reset()
{
    m_first = 0;
    m_second = 0;
}

} // namespace tq
