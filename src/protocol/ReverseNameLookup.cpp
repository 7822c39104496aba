#include "protocol/ReverseNameLookup.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <system_error>
#include <thread>

namespace tq {

struct ReverseNameLookup::Shared {
    Lookup lookup;
    int maxThreads = kDefaultThreads;
    std::mutex mutex;
    std::deque<std::weak_ptr<Request>> queue;
    int threads = 0;
    bool closed = false;
};

void ReverseNameLookup::serveQueue(const std::shared_ptr<Shared> &shared)
{
    while (true) {
        std::shared_ptr<Request> request;
        {
            const std::lock_guard lock(shared->mutex);
            while (!shared->closed && !shared->queue.empty() && !request) {
                request = shared->queue.front().lock(); // empty when its waiter gave up
                shared->queue.pop_front();
            }
            if (!request) {
                --shared->threads;
                return;
            }
        }
        request->answer(shared->lookup(request->address()));
    }
}

QString ReverseNameLookup::Request::name() const
{
    const std::lock_guard lock(m_mutex);
    return m_name;
}

void ReverseNameLookup::Request::answer(const QString &name)
{
    {
        const std::lock_guard lock(m_mutex);
        m_name = name;
    }
    m_done.signal();
}

ReverseNameLookup::ReverseNameLookup(Lookup lookup, int maxThreads)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->lookup = lookup ? std::move(lookup) : Lookup(&ReverseNameLookup::systemLookup);
    m_shared->maxThreads = std::max(1, maxThreads);
}

ReverseNameLookup::~ReverseNameLookup()
{
    const std::lock_guard lock(m_shared->mutex);
    m_shared->closed = true;
    m_shared->queue.clear();
}

std::shared_ptr<const ReverseNameLookup::Request> ReverseNameLookup::request(std::uint32_t address)
{
    auto request = std::make_shared<Request>(address);
    const std::lock_guard lock(m_shared->mutex);
    m_shared->queue.push_back(request);
    if (m_shared->threads < m_shared->maxThreads) {
        try {
            std::thread([shared = m_shared] { serveQueue(shared); }).detach();
            ++m_shared->threads;
        } catch (const std::system_error &) {
            // The threads already running take the request; without any it stays unanswered
            // and its waiter's time limit ends the wait.
        }
    }
    return request;
}

QString ReverseNameLookup::systemLookup(std::uint32_t address)
{
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_addr.s_addr = address;
    char name[NI_MAXHOST] = {};
    if (::getnameinfo(reinterpret_cast<const sockaddr *>(&socketAddress), sizeof socketAddress, name, sizeof name,
                      nullptr, 0, NI_NAMEREQD)
        != 0)
        return {};
    return plainHostName(name);
}

QString ReverseNameLookup::plainHostName(const char *name)
{
    const std::size_t length = ::strnlen(name, 254);
    if (length == 0 || length > 253)
        return {};
    for (std::size_t i = 0; i < length; ++i) {
        const char c = name[i];
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
            || c == '_' || c == '.';
        if (!plain)
            return {};
    }
    return QString::fromLatin1(name, static_cast<qsizetype>(length));
}

} // namespace tq
