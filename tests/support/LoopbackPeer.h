#pragma once

#include "platform/UniqueFd.h"

#include <QByteArray>
#include <QByteArrayView>

namespace tq::test {

// Blocking TCP client on loopback; invalid when the connection could not be made in time.
UniqueFd connectLoopback(int port, const char *host = "127.0.0.1", int timeoutMs = 3000);
// Sends `data` in pieces of `pieceSize` bytes (all at once when 0), pausing between pieces.
bool sendAll(int fd, QByteArrayView data, int pieceSize = 0, int pauseMs = 0);
// Reads until the peer closes or `timeoutMs` passes.
QByteArray readUntilClosed(int fd, int timeoutMs = 3000);
// Sends one packet as a sending station does (in pieces when `pieceSize` > 0, keeping the
// connection open) and returns the listener's answer.
QByteArray exchangeStreamPacket(int port, QByteArrayView packet, int pieceSize = 0);
// A loopback TCP or UDP port that nothing is bound to at the moment of the call.
int unusedTcpPort();
int unusedUdpPort();

} // namespace tq::test
