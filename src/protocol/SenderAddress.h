#pragma once

#include "protocol/ReceivedData.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tq {

// The port a station asks to be answered on: the decimal digits after the first ':' of its
// reply address (the 'u' of the datagram form ends the number). Without a ':', or with a
// number outside 1 to 65535, the own port of the transport the message came over.
int replyPort(QByteArrayView replyAddress, int ownPort);

// How the sender is written after its system name, and where a reply goes: the source IP,
// then ':' and the port unless it is the own port of that transport, and 'u' for UDP (":u"
// alone for the own UDP port). `port` is the reply port; `ownPort` the own port of the
// transport.
QByteArray senderAddress(QByteArrayView senderIp, int port, Transport transport, int ownPort);

// The host in a message's sender field ("BOB/10.0.0.7:8000u" gives "10.0.0.7"): what follows
// the last '/', without the port and the datagram mark.
QString senderHost(QByteArrayView sender);

// A message from this machine itself: from the own address, or from any 127.x.x.x address.
bool isLocalSender(QByteArrayView senderIp, QByteArrayView ownIp);

} // namespace tq
