#include "protocol/HostResolver.h"

#include "platform/WakeupEvent.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <mutex>
#include <system_error>
#include <thread>

namespace tq {

// Shared by a lookup thread and the one who asked; whoever lets go last frees it.
struct HostLookup::Pending {
    WakeupEvent done;
    mutable std::mutex mutex;
    std::optional<std::uint32_t> address;
};

namespace {

bool isReservedInvalidName(const QByteArray &name)
{
    QByteArray lower = name.toLower();
    while (lower.endsWith('.'))
        lower.chop(1);
    return lower == "invalid" || lower.endsWith(".invalid");
}

} // namespace

HostLookup::HostLookup(std::optional<std::uint32_t> address)
    : m_address(address)
{
}

HostLookup::HostLookup(std::shared_ptr<Pending> pending)
    : m_pending(std::move(pending))
{
}

bool HostLookup::isDone() const
{
    return !m_pending || m_pending->done.isSignalled();
}

int HostLookup::fd() const
{
    return m_pending ? m_pending->done.fd() : -1;
}

std::optional<std::uint32_t> HostLookup::address() const
{
    if (!m_pending)
        return m_address;
    const std::lock_guard lock(m_pending->mutex);
    return m_pending->address;
}

HostResolver::HostResolver(Lookup lookup)
    : m_lookup(lookup ? std::move(lookup) : Lookup(&HostResolver::systemLookup))
{
}

std::optional<std::uint32_t> HostResolver::systemLookup(const QByteArray &name)
{
    if (name.isEmpty() || isReservedInvalidName(name))
        return std::nullopt;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(name.constData(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    const std::uint32_t address = reinterpret_cast<const sockaddr_in *>(found->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(found);
    return address;
}

HostLookup HostResolver::resolve(const QByteArray &host) const
{
    if (host.isEmpty() || host.contains('\0'))
        return HostLookup(std::nullopt);
    // inet_aton reads the same dotted forms as the classic inet_addr, and unlike it tells
    // 255.255.255.255 (the broadcast) from an error.
    in_addr dotted{};
    if (::inet_aton(host.constData(), &dotted) != 0)
        return HostLookup(dotted.s_addr);

    auto pending = std::make_shared<HostLookup::Pending>();
    if (!pending->done.valid())
        return HostLookup(std::nullopt);
    try {
        std::thread([pending, lookup = m_lookup, host] {
            const auto address = lookup(host);
            {
                const std::lock_guard lock(pending->mutex);
                pending->address = address;
            }
            pending->done.signal();
        }).detach(); // it owns all it touches; nobody waits for an answer that comes too late
    } catch (const std::system_error &) {
        return HostLookup(std::nullopt);
    }
    return HostLookup(std::move(pending));
}

} // namespace tq
