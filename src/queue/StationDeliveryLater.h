#pragma once

#include "queue/QueueUnconfirmed.h"
#include "settings/SettingsStore.h"

#include <QObject>

#include <memory>

namespace tq {

class MessageStation;
class ReceiptBoard;
class RetryScheduler;

// A station's delivery later, the same for the window and "tarquel receive": the one retry
// scheduler of the user's waiting messages, woken by every message that comes in (whoever
// sends is there to take one), with the receipts of its datagrams taken from the station's
// UDP receiver. Whoever owns it says how the scheduler's reports are shown.
class StationDeliveryLater : public QObject {
    Q_OBJECT
public:
    StationDeliveryLater(MessageStation &station, const SettingsStore &settings, QObject *parent = nullptr);

    RetryScheduler &scheduler() const { return *m_retry; }
    const ReceiptBoard &receipts() const { return *m_receipts; }

    // After the station's receivers have started; stop() before they stop.
    void start();
    void stop();

    // Keeps the message of `request` for the `destinations` it could not reach.
    QueueingOutcome keepForLater(const SendRequest &request, const QStringList &destinations);

private:
    MessageStation &m_station;
    const std::shared_ptr<ReceiptBoard> m_receipts;
    RetryScheduler *m_retry = nullptr;
};

} // namespace tq
