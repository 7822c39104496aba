#pragma once

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace tq {

// One lookup of a destination's host: answered at once, or under way in a thread of its own.
// Whoever waits for it polls fd(); giving up is dropping the object, and the late answer is
// then thrown away, so a slow name server holds up neither a report nor a clean-up.
class HostLookup {
public:
    struct Pending;

    explicit HostLookup(std::optional<std::uint32_t> address);
    explicit HostLookup(std::shared_ptr<Pending> pending);

    bool isDone() const;
    // While not done: a descriptor that becomes readable when the answer is there.
    int fd() const;
    // The address in network byte order, or nothing when the host has none (valid once done).
    std::optional<std::uint32_t> address() const;

private:
    std::optional<std::uint32_t> m_address;
    std::shared_ptr<Pending> m_pending;
};

// Turns a destination's host text into an IPv4 address. A dotted address (255.255.255.255
// included) is taken as it is; a name is looked up without blocking the caller.
class HostResolver {
public:
    // A blocking lookup of one name: the address in network byte order, or nothing. It may
    // still be running after the caller has given up; it must only touch what it owns.
    using Lookup = std::function<std::optional<std::uint32_t>(const QByteArray &name)>;

    // Without a lookup, the system's.
    explicit HostResolver(Lookup lookup = {});

    HostLookup resolve(const QByteArray &host) const;

    // The system's lookup: the first IPv4 address of the name. Names under the reserved
    // ".invalid" domain have none and never reach a name server.
    static std::optional<std::uint32_t> systemLookup(const QByteArray &name);

private:
    Lookup m_lookup;
};

} // namespace tq
