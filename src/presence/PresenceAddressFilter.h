#pragma once

#include "protocol/HostResolver.h"

#include <QSet>
#include <QString>

#include <cstdint>
#include <optional>

namespace tq {

// Which addresses a presence probe may go to: a station's own address only. Never one no
// station can have (0.0.0.0/8, multicast, reserved, the limited broadcast), never the name or
// the broadcast address of a network. The mask of a far network is not known, so an address
// ending in .0 or .255 is left out as the scan leaves it out; so are the name and broadcast
// address of each network this machine is on, whatever their mask.
class PresenceAddressFilter {
public:
    // `networkEnds`: extra addresses to refuse, host byte order.
    explicit PresenceAddressFilter(QSet<std::uint32_t> networkEnds = {});
    // With the name and broadcast address of every IPv4 network of this machine's interfaces.
    static PresenceAddressFilter forThisMachine();

    // Host byte order.
    bool mayProbe(std::uint32_t address) const;
    // The address a host text stands for when it is written as an address, in any form the
    // resolver reads as one ("10.0.0.5", "10.5", "167772165"); host byte order.
    static std::optional<std::uint32_t> writtenAddress(const QString &host);
    // A lookup that finds no address for a name that stands for one a probe may not go to.
    // The result may run on another thread after this filter is gone: it holds copies.
    HostResolver::Lookup guard(HostResolver::Lookup lookup) const;

private:
    QSet<std::uint32_t> m_networkEnds;
};

} // namespace tq
