#include "messages/MessageList.h"

namespace tq {

const MessageRecord *MessageList::current() const
{
    return m_current == m_records.end() ? nullptr : &*m_current;
}

MessageRecord *MessageList::current()
{
    return m_current == m_records.end() ? nullptr : &*m_current;
}

const MessageRecord *MessageList::oldest() const
{
    return m_records.empty() ? nullptr : &m_records.front();
}

const MessageRecord *MessageList::newest() const
{
    return m_records.empty() ? nullptr : &m_records.back();
}

bool MessageList::hasNewer() const
{
    return m_current != m_records.end() && std::next(m_current) != m_records.end();
}

bool MessageList::hasOlder() const
{
    return m_current != m_records.end() && m_current != m_records.begin();
}

MessageRecord *MessageList::findArrival(quint64 arrival)
{
    // Arrival numbers grow towards the newest record, so the search ends at the first older one.
    for (auto it = m_records.rbegin(); it != m_records.rend() && it->arrival >= arrival; ++it) {
        if (it->arrival == arrival)
            return &*it;
    }
    return nullptr;
}

MessageRecord &MessageList::appendNewest(MessageRecord record)
{
    record.serial = ++m_lastSerial;
    m_records.push_back(std::move(record));
    return m_records.back();
}

std::optional<MessageRecord> MessageList::removeOldest()
{
    if (m_records.empty())
        return std::nullopt;
    if (m_current == m_records.begin()) {
        ++m_current;
        if (m_current == m_records.end())
            m_index = 0;
    } else if (m_index > 1) {
        --m_index;
    }
    std::optional<MessageRecord> removed(std::move(m_records.front()));
    m_records.pop_front();
    return removed;
}

std::optional<MessageRecord> MessageList::removeCurrent()
{
    if (m_current == m_records.end())
        return std::nullopt;
    std::optional<MessageRecord> removed(std::move(*m_current));
    auto next = m_records.erase(m_current);
    if (next != m_records.end()) {
        m_current = next;
    } else if (!m_records.empty()) {
        m_current = std::prev(m_records.end());
        --m_index;
    } else {
        m_current = m_records.end();
        m_index = 0;
    }
    return removed;
}

std::optional<MessageRecord> MessageList::removeFile(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    bool beforeCurrent = m_current != m_records.end();
    for (auto it = m_records.begin(); it != m_records.end(); ++it) {
        if (it == m_current)
            beforeCurrent = false;
        if (it->filePath != path)
            continue;
        if (it == m_current)
            return removeCurrent();
        std::optional<MessageRecord> removed(std::move(*it));
        m_records.erase(it);
        if (beforeCurrent)
            --m_index;
        return removed;
    }
    return std::nullopt;
}

void MessageList::clear()
{
    m_records.clear();
    m_current = m_records.end();
    m_index = 0;
}

std::vector<MessageRecord> MessageList::removeThrough(quint64 last)
{
    std::vector<MessageRecord> removed;
    bool currentRemoved = false;
    while (!m_records.empty() && m_records.front().serial <= last) {
        currentRemoved = currentRemoved || m_current == m_records.begin();
        removed.push_back(std::move(m_records.front()));
        m_records.pop_front();
    }
    if (m_records.empty()) {
        m_current = m_records.end();
        m_index = 0;
    } else if (currentRemoved) {
        m_current = m_records.begin();
        m_index = 1;
    } else if (m_current != m_records.end()) {
        m_index -= static_cast<quint32>(removed.size());
    }
    return removed;
}

bool MessageList::stepNewer()
{
    if (!hasNewer())
        return false;
    ++m_current;
    ++m_index;
    return true;
}

bool MessageList::stepOlder()
{
    if (!hasOlder())
        return false;
    --m_current;
    --m_index;
    return true;
}

void MessageList::selectNewest()
{
    if (m_records.empty())
        return;
    m_current = std::prev(m_records.end());
    m_index = count();
}

void MessageList::selectOldest()
{
    if (m_records.empty())
        return;
    m_current = m_records.begin();
    m_index = 1;
}

bool MessageList::isConsistent() const
{
    if (m_current == m_records.end())
        return m_index == 0;
    quint32 position = 1;
    for (auto it = m_records.begin(); it != m_records.end(); ++it, ++position) {
        if (it == m_current)
            return position == m_index;
    }
    return false;
}

} // namespace tq
