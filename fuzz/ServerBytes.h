#pragma once

#include "mail/MailSocket.h"
#include "platform/UniqueFd.h"

#include <sys/socket.h>

#include <algorithm>
#include <cstdint>
#include <memory>

// A mail conversation in which the server says `size` bytes and then hangs up: the client
// end, ready to read. Inputs beyond what a socket pair holds are cut.
inline std::unique_ptr<tq::MailSocket> socketWithServerBytes(const std::uint8_t *data, std::size_t size)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0)
        return nullptr;
    tq::UniqueFd server(ends[1]);
    const std::size_t held = std::min<std::size_t>(size, 64 * 1024);
    std::size_t sent = 0;
    while (sent < held) {
        const ssize_t count = ::send(server.get(), data + sent, held - sent, MSG_NOSIGNAL);
        if (count <= 0)
            break;
        sent += static_cast<std::size_t>(count);
    }
    auto socket = std::make_unique<tq::MailSocket>(-1, std::chrono::milliseconds(1000));
    socket->adopt(tq::UniqueFd(ends[0]));
    return socket; // the server end closes here: the client reads what was sent, then the end
}
