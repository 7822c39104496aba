#include "app/DeliveryLaterControls.h"

#include "app/CMainFrame.h"
#include "app/PresenceControls.h"
#include "platform/Prompter.h"
#include "presence/PresenceTracker.h"
#include "queue/NetworkDeliverer.h"
#include "queue/QueueUnconfirmed.h"
#include "queue/ReceiptBoard.h"
#include "queue/RetryScheduler.h"
#include "queue/WaitingMessagesWindow.h"
#include "res/StringTable.h"
#include "station/MessageStation.h"

#include <QAction>
#include <QDateTime>
#include <QLabel>

namespace tq {

DeliveryLaterControls::DeliveryLaterControls(CMainFrame &frame, SettingsStore &settings, Prompter &prompter,
                                             PresenceTracker &presence)
    : QObject(&frame)
    , m_frame(frame)
    , m_prompter(prompter)
    , m_receipts(std::make_shared<ReceiptBoard>())
{
    MessageStation &station = frame.station();
    m_retry = new RetryScheduler(station.dataDir(), std::make_shared<NetworkDeliverer>(m_receipts), settings, this);

    auto *action = new QAction(tr("&Waiting Messages"), &frame);
    action->setObjectName(QStringLiteral("actionWaitingMessages"));
    connect(action, &QAction::triggered, this, &DeliveryLaterControls::showWindow);
    frame.addAction(action);

    // A datagram's receipt comes back to the UDP receiver: only while it runs can one be heard.
    // It reports only a port it could not take.
    connect(&station, &MessageStation::receiverStateChanged, this,
            [this](Transport transport, SendResultCode code, const QString &) {
                if (transport == Transport::Udp)
                    m_receipts->setListening(code != SendResultCode::PortBusy);
            });
    connect(&station, &MessageStation::datagramReceived, this,
            [this](const QByteArray &senderIp, const QByteArray &data) { m_receipts->post(senderIp, data); });
    // Whoever sends a message is there to take one.
    connect(&station, &MessageStation::messageArrived, m_retry, [this](const MessageRecord &record) {
        m_retry->hostReachable(PresenceControls::senderAddressOf(record.sender));
    });
    connect(&presence, &PresenceTracker::userPresenceChanged, m_retry,
            [this](const QString &, const QString &host, PresenceState state) {
                if (state == PresenceState::Reachable)
                    m_retry->hostReachable(host);
            });
    connect(&station, &MessageStation::settingsReloaded, m_retry, &RetryScheduler::settingsChanged);

    connect(m_retry, &RetryScheduler::delivered, this, &DeliveryLaterControls::tell);
    connect(m_retry, &RetryScheduler::notDelivered, this, &DeliveryLaterControls::tell);
    connect(m_retry, &RetryScheduler::problem, this, [this](const QString &text) {
        m_prompter.message(tqString(Sid::AppName), text, Prompter::Icon::Exclamation, Prompter::Buttons::Ok);
    });
    connect(m_retry, &RetryScheduler::countChanged, this, &DeliveryLaterControls::countChanged);
}

DeliveryLaterControls::~DeliveryLaterControls()
{
    // The window shows the scheduler: it goes first.
    delete m_window;
}

void DeliveryLaterControls::start()
{
    m_receipts->setListening(m_frame.udpReceiver() != nullptr);
    m_retry->start();
}

void DeliveryLaterControls::stop()
{
    m_retry->stop();
    m_receipts->setListening(false);
}

void DeliveryLaterControls::tell(const QString &text)
{
    m_frame.statusPane(0)->setText(text);
    m_frame.showDesktopNotice(text);
}

void DeliveryLaterControls::keepForLater(const SendRequest &request, const QStringList &destinations)
{
    const QueueingOutcome outcome =
        queueUnconfirmed(m_retry->queue(), request, destinations, m_frame.station().settings().useProtocol,
                         QDateTime::currentDateTime());
    m_retry->refresh();
    if (!outcome.queued.isEmpty())
        m_frame.statusPane(0)->setText(
            tr("Kept for delivery when reachable: %1").arg(outcome.queued.join(QStringLiteral(", "))));
    if (!outcome.failed.isEmpty()) {
        m_prompter.message(tqString(Sid::AppName),
                           tr("These messages could not be kept for delivery later:") + QStringLiteral("\r\n")
                               + outcome.failed.join(QStringLiteral("\r\n")),
                           Prompter::Icon::Exclamation, Prompter::Buttons::Ok);
    }
}

void DeliveryLaterControls::showWindow()
{
    if (!m_window) {
        m_window = new WaitingMessagesWindow(*m_retry, &m_frame);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (m_window->isMinimized())
        m_window->showNormal();
    else
        m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

WaitingMessagesWindow *DeliveryLaterControls::window() const
{
    return m_window;
}

} // namespace tq
