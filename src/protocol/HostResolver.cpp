#include "protocol/HostResolver.h"

#include "platform/WakeupEvent.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace tq {
namespace {

// What a lookup thread shares with the worker that asked; whoever ends last frees it.
struct PendingLookup {
    WakeupEvent done;
    std::mutex mutex;
    std::optional<std::uint32_t> address;
};

bool isReservedInvalidName(const QByteArray &name)
{
    QByteArray lower = name.toLower();
    while (lower.endsWith('.'))
        lower.chop(1);
    return lower == "invalid" || lower.endsWith(".invalid");
}

} // namespace

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

std::optional<std::uint32_t> HostResolver::resolve(const QByteArray &host, Clock::time_point deadline, int wakeFd) const
{
    // inet_aton reads the same dotted forms as the classic inet_addr, and unlike it tells
    // 255.255.255.255 (the broadcast) from an error.
    in_addr dotted{};
    if (!host.contains('\0') && ::inet_aton(host.constData(), &dotted) != 0)
        return dotted.s_addr;
    if (host.isEmpty() || host.contains('\0'))
        return std::nullopt;

    auto pending = std::make_shared<PendingLookup>();
    if (!pending->done.valid())
        return std::nullopt;
    try {
        std::thread([pending, lookup = m_lookup, host] {
            const auto address = lookup(host);
            {
                const std::lock_guard lock(pending->mutex);
                pending->address = address;
            }
            pending->done.signal();
        }).detach(); // it owns everything it touches; a late answer is simply dropped
    } catch (const std::system_error &) {
        return std::nullopt;
    }

    pollfd fds[2] = {{pending->done.fd(), POLLIN, 0}, {wakeFd, POLLIN, 0}};
    while (true) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return std::nullopt;
        const int ready = ::poll(fds, wakeFd >= 0 ? 2 : 1, static_cast<int>(std::min<long long>(left, 1 << 30)));
        if (ready < 0 && errno != EINTR)
            return std::nullopt;
        if (wakeFd >= 0 && (fds[1].revents & POLLIN))
            return std::nullopt;
        if (fds[0].revents & POLLIN) {
            const std::lock_guard lock(pending->mutex);
            return pending->address;
        }
    }
}

} // namespace tq
