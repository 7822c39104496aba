#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>

namespace tq {

// A range of IPv4 addresses that the user asked to scan, as the command line and the
// finding dialog accept it:
//  - a network, "10.0.0.0/24" (prefix 20 to 32): every address of it except the network's own
//    first and last address (its name and its broadcast); a /31 holds two stations and a /32
//    one. An address with host bits, "10.0.0.7/24", stands for its network.
//  - two addresses, "10.0.0.1-10.0.0.50", or with the last number only, "10.0.0.1-50": both
//    ends included. The range has no netmask to tell its broadcast address by, so every address
//    ending in .0 or .255 is left out: in any network of 256 addresses or fewer it is the
//    network's name or its broadcast.
//  - one address, "10.0.0.7", as the range from it to itself.
// Never more than 4096 addresses, and none that no station can have (0.0.0.0/8, multicast,
// reserved, the limited broadcast).
class Ipv4Range {
    Q_DECLARE_TR_FUNCTIONS(Ipv4Range)

public:
    static constexpr int kMaxAddresses = 4096;
    static constexpr int kWidestPrefix = 20;

    static Ipv4Range parse(QStringView text);

    bool isValid() const { return m_error.isEmpty(); }
    // Why the text is no range, in words for the user; empty when it is one.
    const QString &error() const { return m_error; }
    // The addresses to probe, lowest first, in host byte order.
    const QList<std::uint32_t> &addresses() const { return m_addresses; }
    QStringList dottedAddresses() const;

    // The network of 256 addresses that holds `address` (dotted), as a range text
    // ("192.168.1.0/24"); empty when `address` is none.
    static QString networkOf(const QString &address);
    // The finding dialog's first proposal: the network of this station's own address.
    static QString ownNetwork();

    static QString dotted(std::uint32_t address);
    // False for 0.0.0.0/8 ("this network"), multicast, the reserved block and the limited
    // broadcast (224.0.0.0/3): no station has such an address. Host byte order.
    static bool isStationAddress(std::uint32_t address);

private:
    QList<std::uint32_t> m_addresses;
    QString m_error;
};

} // namespace tq
