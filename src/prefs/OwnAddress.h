#pragma once

#include <QString>

namespace tq {

// The machine's IPv4 address as the General page shows it, read from the network interfaces
// (no name lookup, so the page never waits on a resolver): the first address of an interface
// that is up and not loopback, else the loopback address; empty when there is no IPv4 at all.
QString ownAddressForDisplay();

} // namespace tq
