#include "queue/StationDeliveryLater.h"

#include "protocol/SenderAddress.h"
#include "queue/NetworkDeliverer.h"
#include "queue/ReceiptBoard.h"
#include "queue/RetryScheduler.h"
#include "station/MessageStation.h"

#include <QDateTime>

namespace tq {

StationDeliveryLater::StationDeliveryLater(MessageStation &station, const SettingsStore &settings, QObject *parent)
    : QObject(parent)
    , m_station(station)
    , m_receipts(std::make_shared<ReceiptBoard>())
{
    m_retry = new RetryScheduler(station.dataDir(), std::make_shared<NetworkDeliverer>(m_receipts), settings, this);

    // A datagram's receipt comes back to the UDP receiver: only while it runs can one be heard.
    // It reports only a port it could not take.
    connect(&station, &MessageStation::receiverStateChanged, this,
            [this](Transport transport, SendResultCode code, const QString &) {
                if (transport == Transport::Udp)
                    m_receipts->setListening(code != SendResultCode::PortBusy);
            });
    connect(&station, &MessageStation::datagramReceived, this,
            [this](const QByteArray &senderIp, const QByteArray &data) { m_receipts->post(senderIp, data); });
    connect(&station, &MessageStation::messageArrived, m_retry,
            [this](const MessageRecord &record) { m_retry->hostReachable(senderHost(record.sender)); });
    connect(&station, &MessageStation::settingsReloaded, m_retry, &RetryScheduler::settingsChanged);
}

void StationDeliveryLater::start()
{
    m_receipts->setListening(m_station.udpReceiver() != nullptr);
    m_retry->start();
}

void StationDeliveryLater::stop()
{
    m_retry->stop();
    m_receipts->setListening(false);
}

QueueingOutcome StationDeliveryLater::keepForLater(const SendRequest &request, const QStringList &destinations)
{
    const QueueingOutcome outcome = queueUnconfirmed(m_retry->queue(), request, destinations,
                                                     m_station.settings().useProtocol, QDateTime::currentDateTime());
    m_retry->refresh();
    return outcome;
}

} // namespace tq
