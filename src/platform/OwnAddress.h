#pragma once

#include <QByteArray>
#include <QList>

namespace tq {

// One IPv4 address of a network interface.
struct InterfaceAddress {
    QByteArray address; // dotted text
    bool up = false;
    bool loopback = false;
};

// The address this station gives as its own: the first IPv4 address of its host name; when
// that is a loopback address (Debian maps the host name to 127.0.1.1) or the name could not be
// looked up, the first IPv4 address of an interface that is up and not loopback. Empty when
// there is neither.
QByteArray chooseOwnAddress(const QByteArray &hostNameAddress, const QList<InterfaceAddress> &interfaces);

// The same from the system: looks the host name up, waiting at most `lookupLimitMs` for an
// answer (a slow name service must not hold up the start), and lists the interfaces.
QByteArray ownIPv4Address(int lookupLimitMs = 1000);

} // namespace tq
