#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tq {

// Collects one stream-form packet from the reads of one TCP connection and decides where
// it ends. A packet ends at once on "/$6/$7" (its real end) or on "/$4" and a line feed (the
// short form). Any other "/$7" at the end of what was read may be the one between the e-mail
// and "/$5" that happens to end a read: the packet is then complete only if nothing more
// arrives shortly (the listener's business). Beyond 65535 bytes the read that overflows is
// dropped and the packet ends.
class StreamPacketReader {
public:
    static constexpr qsizetype kMaxPacket = 65535;
    static constexpr qsizetype kReadChunk = 256;

    enum class State {
        Reading, // no terminator yet
        CompleteIfQuiet, // ends with an inner "/$7": complete unless more bytes come
        Complete, // a terminator, or the size cap was reached
    };

    State feed(QByteArrayView chunk);
    State state() const { return m_state; }
    bool wasCut() const { return m_cut; }
    // The text of the packet: everything kept, up to the first NUL byte.
    QByteArray text() const;

private:
    QByteArray m_buffer;
    qsizetype m_received = 0;
    State m_state = State::Reading;
    bool m_cut = false;
};

} // namespace tq
