#pragma once

#include "platform/UniqueFd.h"

#include <QByteArray>
#include <QByteArrayView>

namespace tq::test {

// Blocking TCP client on loopback; invalid when the connection could not be made in time.
UniqueFd connectLoopback(int port, const char *host = "127.0.0.1", int timeoutMs = 3000);
// The same from another loopback address of this machine (127.0.0.x) as its source.
UniqueFd connectFrom(const char *sourceIp, int port);
// Sends `data` in pieces of `pieceSize` bytes (all at once when 0), pausing between pieces.
bool sendAll(int fd, QByteArrayView data, int pieceSize = 0, int pauseMs = 0);
// Reads until the peer closes or `timeoutMs` passes.
QByteArray readUntilClosed(int fd, int timeoutMs = 3000);
// Sends one packet as a sending station does (in pieces when `pieceSize` > 0, keeping the
// connection open) and returns the listener's answer.
QByteArray exchangeStreamPacket(int port, QByteArrayView packet, int pieceSize = 0);
// The same from another loopback address of this machine (127.0.0.x), as a second station.
QByteArray exchangeStreamPacketFrom(const char *sourceIp, int port, QByteArrayView packet);
// The same while this thread goes on handling its events: a station on this thread answers
// only once it has kept the message.
QByteArray exchangeServingEvents(const char *sourceIp, int port, QByteArrayView packet);

// A UDP socket bound to `ip` and `port` (0: any free port); invalid when the bind failed.
UniqueFd udpSocket(const char *ip = "127.0.0.1", int port = 0);
int boundPort(int fd);
bool sendDatagram(int fd, int port, QByteArrayView datagram, const char *host = "127.0.0.1");
// One datagram, or nothing when none came within `timeoutMs`.
QByteArray receiveDatagram(int fd, int timeoutMs = 3000);
// The same while this thread goes on handling its events.
QByteArray receiveDatagramServingEvents(int fd, int timeoutMs = 3000);

// A loopback TCP or UDP port that nothing is bound to at the moment of the call.
int unusedTcpPort();
int unusedUdpPort();

} // namespace tq::test
