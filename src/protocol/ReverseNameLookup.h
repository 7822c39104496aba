#pragma once

#include "platform/WakeupEvent.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace tq {

// Host names of addresses, looked up on a few threads of their own: the system's reverse
// lookup blocks and cannot be polled. Each request makes a descriptor readable when its
// answer is there; whoever tires of waiting drops the request. The workers touch only what
// they share with the pool, so the pool may go while a slow name server still holds one.
class ReverseNameLookup {
public:
    // A blocking lookup of one address (network byte order); an empty name when it has none.
    using Lookup = std::function<QString(std::uint32_t address)>;

    class Request {
    public:
        explicit Request(std::uint32_t address)
            : m_address(address)
        {
        }
        std::uint32_t address() const { return m_address; }
        // Readable once the answer is there.
        int fd() const { return m_done.fd(); }
        bool isDone() const { return m_done.isSignalled(); }
        QString name() const;
        void answer(const QString &name);

    private:
        const std::uint32_t m_address;
        WakeupEvent m_done;
        mutable std::mutex m_mutex;
        QString m_name;
    };

    static constexpr int kDefaultThreads = 4;

    // Without a lookup, the system's.
    explicit ReverseNameLookup(Lookup lookup = {}, int maxThreads = kDefaultThreads);
    // Requests still queued are never looked up.
    ~ReverseNameLookup();
    ReverseNameLookup(const ReverseNameLookup &) = delete;
    ReverseNameLookup &operator=(const ReverseNameLookup &) = delete;

    std::shared_ptr<const Request> request(std::uint32_t address);

    // The name the system's resolver gives the address, when it is a plain host name.
    static QString systemLookup(std::uint32_t address);
    // A name that came from the network is kept only when it looks like a host name: letters,
    // digits, '-', '_' and '.', at most 253 characters. Anything else gives an empty name.
    static QString plainHostName(const char *name);

private:
    struct Shared;
    // A worker: takes requests until none is left, then ends, so no thread idles after a scan.
    static void serveQueue(const std::shared_ptr<Shared> &shared);

    std::shared_ptr<Shared> m_shared;
};

} // namespace tq
