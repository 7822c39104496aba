#pragma once

#include <QString>

#include <netinet/in.h>

#include <chrono>

namespace tq {

struct HostLookupResult {
    enum class Status { Found, NotFound, TimedOut, Cancelled };
    Status status = Status::NotFound;
    in_addr address{};
};

// The first IPv4 address of `host` (a dotted address is taken as it is). The name service can
// take many seconds and cannot be interrupted, so it runs in a helper thread that owns its own
// state: when `wakeFd` becomes readable or `deadline` passes, the caller goes on at once and
// the helper ends on its own later.
HostLookupResult lookupIPv4(const QString &host, int wakeFd, std::chrono::steady_clock::time_point deadline);

} // namespace tq
