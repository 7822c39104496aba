#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tq {

enum class SendTransport { Tcp, Udp };

// Where one network destination goes.
struct NetworkTarget {
    QString host;
    int port = 0;
    SendTransport transport = SendTransport::Tcp;

    friend bool operator==(const NetworkTarget &, const NetworkTarget &) = default;
};

// The destinations of a ";"-separated list, in order. Spaces and ";" that follow an entry
// (or open the list) are skipped; an entry keeps any spaces inside or at its end.
QStringList splitDestinationList(const QString &list);

// The address to mail to when `destination` is an e-mail destination: its at-sign comes after
// its last "/". The address is the part after that "/" (all of it when there is none).
// Nothing for a network destination.
std::optional<QString> mailAddressOf(const QString &destination);

// The host, port and transport of a network destination: "host", "host:port", "host:u",
// "host:portu", each optionally after "Name/". A trailing "u" (or "U") after a ":" asks for
// UDP; a missing port, or one outside 1 to 65535, takes the default port of the transport
// asked for. "UseProtocol" 1 forces UDP and 0 forces TCP, keeping the port chosen.
NetworkTarget networkTarget(const QString &destination, int defaultTcpPort, int defaultUdpPort, int useProtocol);

} // namespace tq
