#pragma once

#include "mail/MailServerAddress.h"
#include "platform/UniqueFd.h"

#include <QByteArray>
#include <QByteArrayView>

#include <chrono>
#include <optional>

namespace tq {

// The client end of one conversation with a mail server. Every operation waits at most
// `timeout` and ends at once when `wakeFd` becomes readable. After a time-out, a cancel or a
// broken connection every further operation fails without waiting.
class MailSocket {
public:
    // A reply line is kept up to this many bytes; the rest of a longer line is read and dropped.
    static constexpr qsizetype kMaxLineLength = 512;

    MailSocket(int wakeFd, std::chrono::milliseconds timeout);

    // A fresh TCP socket; false when the system has none to give.
    bool create();
    bool connectTo(const MailServerAddress &address);
    // Takes over a socket that is connected already (one end of a socket pair): the
    // conversation starts at once.
    void adopt(UniqueFd connected);
    bool sendAll(QByteArrayView data);
    // The next line with its line feed (without it when the line was cut at kMaxLineLength or
    // the server closed after it); nothing when no byte could be read.
    std::optional<QByteArray> readLine();
    void close();

    // Connected, and no operation has failed in a way that leaves the conversation unsure.
    bool usable() const { return m_state == State::Connected; }
    bool cancelled() const { return m_state == State::Cancelled; }

private:
    enum class State { Idle, Connected, Broken, TimedOut, Cancelled };
    enum class Wait { Ready, TimedOut, Cancelled, Failed };

    Wait waitFor(short events, std::chrono::steady_clock::time_point deadline);
    void fail(Wait why);

    const int m_wakeFd;
    const std::chrono::milliseconds m_timeout;
    UniqueFd m_fd;
    State m_state = State::Idle;
    QByteArray m_pending; // bytes read past the end of the last line
};

} // namespace tq
