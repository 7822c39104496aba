#pragma once

#include "protocol/SendExchange.h"

#include <QByteArray>

namespace tq {

// Sends the stream form over one TCP connection and checks the receiver's answer: the
// length it received, in decimal digits.
class CTcpSendWorker final : public SendExchange {
public:
    static constexpr int kPieceSize = 256;
    static constexpr int kAnswerSize = 10;

    // `streamPacket` is the task's copy, which outlives its exchanges.
    CTcpSendWorker(SendLedger &ledger, const SendEvents &events, const HostResolver &resolver, std::optional<int> index,
                   QString host, int port, const QByteArray &streamPacket);

    // The receiver's answer as a number: leading digits after optional spaces and sign, as
    // the C library reads them; 0 when there are none.
    static long long answeredLength(QByteArrayView answer);

private:
    int createSocket() override;
    void addressKnown(const sockaddr_in &target) override;
    void socketReady(short revents) override;

    void connected();
    void sendPieces();
    void readAnswer();

    enum class Step { Connecting, Sending, Verifying };

    const QByteArray &m_packet;
    qsizetype m_sent = 0;
    Step m_step = Step::Connecting;
};

} // namespace tq
