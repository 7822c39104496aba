#pragma once

#include <QByteArray>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace tq {

// Turns a destination's host text into an IPv4 address within the send's time budget.
// A dotted address (255.255.255.255 included) is taken as it is. A name is looked up in a
// thread of its own; when the lookup is slower than the budget, or the send is stopped, the
// caller goes on without it and the late answer is dropped, so a slow name server holds up
// neither the report nor the clean-up.
class HostResolver {
public:
    using Clock = std::chrono::steady_clock;
    // A blocking lookup of one name: the address in network byte order, or nothing. It may
    // still be running after the caller has given up; it must only touch what it owns.
    using Lookup = std::function<std::optional<std::uint32_t>(const QByteArray &name)>;

    // Without a lookup, the system's resolver.
    explicit HostResolver(Lookup lookup = {});

    // Nothing when the host has no address, when `deadline` passes first or when `wakeFd`
    // becomes readable first.
    std::optional<std::uint32_t> resolve(const QByteArray &host, Clock::time_point deadline, int wakeFd) const;

    // The system's lookup: the first IPv4 address of the name. Names under the reserved
    // ".invalid" domain have none and never reach a name server.
    static std::optional<std::uint32_t> systemLookup(const QByteArray &name);

private:
    Lookup m_lookup;
};

} // namespace tq
