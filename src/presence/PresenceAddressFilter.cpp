#include "presence/PresenceAddressFilter.h"

#include "protocol/Ipv4Range.h"

#include <QNetworkInterface>

#include <arpa/inet.h>
#include <netinet/in.h>

namespace tq {

PresenceAddressFilter::PresenceAddressFilter(QSet<std::uint32_t> networkEnds)
    : m_networkEnds(std::move(networkEnds))
{
}

PresenceAddressFilter PresenceAddressFilter::forThisMachine()
{
    QSet<std::uint32_t> ends;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            const int prefix = entry.prefixLength();
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol || prefix < 1 || prefix > 30)
                continue;
            const std::uint32_t hostMask = 0xffffffffu >> prefix;
            const std::uint32_t address = entry.ip().toIPv4Address();
            ends.insert(address & ~hostMask);
            ends.insert(address | hostMask);
        }
    }
    return PresenceAddressFilter(std::move(ends));
}

bool PresenceAddressFilter::mayProbe(std::uint32_t address) const
{
    const std::uint32_t last = address & 0xff;
    return Ipv4Range::isStationAddress(address) && last != 0 && last != 255 && !m_networkEnds.contains(address);
}

std::optional<std::uint32_t> PresenceAddressFilter::writtenAddress(const QString &host)
{
    // The resolver's own test, so that whatever it would take as an address is judged here.
    const QByteArray text = host.toUtf8();
    in_addr written{};
    if (text.isEmpty() || text.contains('\0') || ::inet_aton(text.constData(), &written) == 0)
        return std::nullopt;
    return ntohl(written.s_addr);
}

HostResolver::Lookup PresenceAddressFilter::guard(HostResolver::Lookup lookup) const
{
    if (!lookup)
        lookup = &HostResolver::systemLookup;
    return [lookup = std::move(lookup), filter = *this](const QByteArray &name) -> std::optional<std::uint32_t> {
        const std::optional<std::uint32_t> address = lookup(name);
        if (address && !filter.mayProbe(ntohl(*address)))
            return std::nullopt;
        return address;
    };
}

} // namespace tq
