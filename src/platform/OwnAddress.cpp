#include "platform/OwnAddress.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace tq {
namespace {

bool isLoopback(const QByteArray &address)
{
    return address.startsWith("127.");
}

std::string dotted(const in_addr &address)
{
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address, text, sizeof text);
    return text;
}

std::string firstAddressOf(const std::string &hostName)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(hostName.c_str(), nullptr, &hints, &found) != 0 || !found)
        return {};
    const std::string address = dotted(reinterpret_cast<const sockaddr_in *>(found->ai_addr)->sin_addr);
    ::freeaddrinfo(found);
    return address;
}

// The lookup runs on a thread of its own that owns everything it touches, so it can be left
// to finish alone when the name service keeps it waiting.
QByteArray hostNameAddress(int limitMs)
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return {};
    struct Lookup {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        std::string address;
    };
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, hostName = std::string(name)] {
        std::string address = firstAddressOf(hostName);
        const std::lock_guard lock(lookup->mutex);
        lookup->address = std::move(address);
        lookup->finished = true;
        lookup->done.notify_all();
    }).detach();
    std::unique_lock lock(lookup->mutex);
    if (!lookup->done.wait_for(lock, std::chrono::milliseconds(limitMs), [&] { return lookup->finished; }))
        return {};
    return QByteArray::fromStdString(lookup->address);
}

QList<InterfaceAddress> interfaceAddresses()
{
    QList<InterfaceAddress> result;
    ifaddrs *list = nullptr;
    if (::getifaddrs(&list) != 0)
        return result;
    for (const ifaddrs *entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET)
            continue;
        InterfaceAddress address;
        address.address =
            QByteArray::fromStdString(dotted(reinterpret_cast<const sockaddr_in *>(entry->ifa_addr)->sin_addr));
        address.up = (entry->ifa_flags & IFF_UP) != 0;
        address.loopback = (entry->ifa_flags & IFF_LOOPBACK) != 0;
        result.append(address);
    }
    ::freeifaddrs(list);
    return result;
}

} // namespace

QByteArray chooseOwnAddress(const QByteArray &hostNameAddress, const QList<InterfaceAddress> &interfaces)
{
    if (!hostNameAddress.isEmpty() && !isLoopback(hostNameAddress))
        return hostNameAddress;
    for (const InterfaceAddress &candidate : interfaces) {
        if (candidate.up && !candidate.loopback && !isLoopback(candidate.address))
            return candidate.address;
    }
    return hostNameAddress;
}

QByteArray ownIPv4Address(int lookupLimitMs)
{
    return chooseOwnAddress(hostNameAddress(lookupLimitMs), interfaceAddresses());
}

} // namespace tq
