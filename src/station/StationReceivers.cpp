#include "station/StationReceivers.h"

#include "protocol/CReceiveThread.h"
#include "protocol/CUDPReceiveThread.h"
#include "protocol/HandOverBound.h"

namespace tq {

StationReceivers::StationReceivers(QObject *parent)
    : QObject(parent)
    , m_bound(std::make_shared<HandOverBound>())
{
}

StationReceivers::~StationReceivers()
{
    stop();
}

void StationReceivers::start(int useProtocol, int tcpPort, int udpPort)
{
    stop();
    if (useProtocol == 0 || useProtocol == 2) {
        m_tcp = std::make_unique<CReceiveThread>(tcpPort);
        m_tcp->setHandOverBound(m_bound);
        connect(m_tcp.get(), &CReceiveThread::incomingMessage, this, &StationReceivers::incomingMessage);
        connect(m_tcp.get(), &CReceiveThread::sendResult, this,
                [this](SendResultCode code, const QString &text) { Q_EMIT stateChanged(Transport::Tcp, code, text); });
        connect(m_tcp.get(), &CReceiveThread::criticalError, this, &StationReceivers::criticalError);
        m_tcp->start();
    }
    if (useProtocol == 1 || useProtocol == 2) {
        m_udp = std::make_unique<CUDPReceiveThread>(udpPort);
        m_udp->setHandOverBound(m_bound);
        connect(m_udp.get(), &CUDPReceiveThread::datagramsDropped, this, &StationReceivers::datagramsDropped);
        connect(m_udp.get(), &CUDPReceiveThread::incomingMessage, this, &StationReceivers::incomingMessage);
        connect(m_udp.get(), &CUDPReceiveThread::sendResult, this,
                [this](SendResultCode code, const QString &text) { Q_EMIT stateChanged(Transport::Udp, code, text); });
        connect(m_udp.get(), &CUDPReceiveThread::criticalError, this, &StationReceivers::criticalError);
        m_udp->start();
    }
}

void StationReceivers::stop()
{
    if (m_tcp)
        m_tcp->stop();
    m_tcp.reset();
    if (m_udp)
        m_udp->stop();
    m_udp.reset();
}

} // namespace tq
