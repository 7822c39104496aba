#include "mail/HostLookup.h"

#include "platform/WakeupEvent.h"

#include <QUrl>

#include <arpa/inet.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

namespace tq {
namespace {

using Clock = std::chrono::steady_clock;

// Shared by the caller and the helper thread; whichever lets go last frees it.
struct PendingLookup {
    std::string name;
    WakeupEvent done;
    std::mutex mutex;
    std::optional<in_addr> address;
};

void resolve(const std::shared_ptr<PendingLookup> &pending)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *list = nullptr;
    std::optional<in_addr> found;
    if (::getaddrinfo(pending->name.c_str(), nullptr, &hints, &list) == 0 && list != nullptr)
        found = reinterpret_cast<const sockaddr_in *>(list->ai_addr)->sin_addr;
    if (list != nullptr)
        ::freeaddrinfo(list);
    {
        const std::lock_guard lock(pending->mutex);
        pending->address = found;
    }
    pending->done.signal();
}

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
}

} // namespace

HostLookupResult lookupIPv4(const QString &host, int wakeFd, Clock::time_point deadline)
{
    using Status = HostLookupResult::Status;
    HostLookupResult result;
    if (host.isEmpty())
        return result;
    const QByteArray utf8 = host.toUtf8();
    if (::inet_pton(AF_INET, utf8.constData(), &result.address) == 1) {
        result.status = Status::Found;
        return result;
    }
    // Names with letters beyond ASCII are looked up in their ASCII-compatible form.
    const QByteArray ace = QUrl::toAce(host);
    auto pending = std::make_shared<PendingLookup>();
    pending->name = (ace.isEmpty() ? utf8 : ace).toStdString();
    if (pending->name.find('\0') != std::string::npos || !pending->done.valid())
        return result;
    try {
        std::thread([pending] { resolve(pending); }).detach();
    } catch (const std::system_error &) {
        return result;
    }

    while (true) {
        pollfd fds[2] = {{wakeFd, POLLIN, 0}, {pending->done.fd(), POLLIN, 0}};
        const int ready = ::poll(fds, 2, millisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return result;
        if (fds[0].revents & POLLIN) {
            result.status = Status::Cancelled;
            return result;
        }
        if (fds[1].revents & POLLIN) {
            const std::lock_guard lock(pending->mutex);
            if (pending->address) {
                result.status = Status::Found;
                result.address = *pending->address;
            }
            return result;
        }
        if (ready == 0 && Clock::now() >= deadline) {
            result.status = Status::TimedOut;
            return result;
        }
    }
}

} // namespace tq
