#pragma once

#include "protocol/CSocketThread.h"

#include <QByteArray>

namespace tq {

// Sends the stream form over one TCP connection and checks the receiver's answer: the
// length it received, in decimal digits.
class CTcpSendWorker final : public CSocketThread {
public:
    static constexpr int kPieceSize = 256;
    static constexpr int kAnswerSize = 10;

    CTcpSendWorker(SendLedger &task, const SendEvents &events, const HostResolver &resolver, std::optional<int> index,
                   QString host, int port, QByteArray streamPacket);
    ~CTcpSendWorker() override;

    // The receiver's answer as a number: leading digits after optional spaces and sign, as
    // the C library reads them; 0 when there are none.
    static long long answeredLength(QByteArrayView answer);

private:
    void run() override;
    bool connectTo(const struct sockaddr_in &target);
    // False when the deadline passed or the task stopped; a send error ends the sending only.
    bool sendPacket();
    void judgeAnswer(bool received, QByteArrayView answer);

    const QByteArray m_packet;
};

} // namespace tq
