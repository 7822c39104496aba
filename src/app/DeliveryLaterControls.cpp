#include "app/DeliveryLaterControls.h"

#include "app/CMainFrame.h"
#include "platform/Prompter.h"
#include "presence/PresenceTracker.h"
#include "queue/RetryScheduler.h"
#include "queue/StationDeliveryLater.h"
#include "queue/WaitingMessagesWindow.h"
#include "res/StringTable.h"

#include <QAction>
#include <QLabel>

namespace tq {

DeliveryLaterControls::DeliveryLaterControls(CMainFrame &frame, SettingsStore &settings, Prompter &prompter,
                                             PresenceTracker &presence)
    : QObject(&frame)
    , m_frame(frame)
    , m_prompter(prompter)
    , m_later(new StationDeliveryLater(frame.station(), settings, this))
{
    RetryScheduler *retry = &m_later->scheduler();
    auto *action = new QAction(tr("&Waiting Messages"), &frame);
    action->setObjectName(QStringLiteral("actionWaitingMessages"));
    connect(action, &QAction::triggered, this, &DeliveryLaterControls::showWindow);
    frame.addAction(action);

    connect(&presence, &PresenceTracker::userPresenceChanged, retry,
            [retry](const QString &, const QString &host, PresenceState state) {
                if (state == PresenceState::Reachable)
                    retry->hostReachable(host);
            });
    connect(retry, &RetryScheduler::delivered, this, &DeliveryLaterControls::tell);
    connect(retry, &RetryScheduler::notDelivered, this, &DeliveryLaterControls::tell);
    connect(retry, &RetryScheduler::problem, this, [this](const QString &text) {
        m_prompter.message(tqString(Sid::AppName), text, Prompter::Icon::Exclamation, Prompter::Buttons::Ok);
    });
    connect(retry, &RetryScheduler::countChanged, this, &DeliveryLaterControls::countChanged);
}

DeliveryLaterControls::~DeliveryLaterControls()
{
    // The window shows the scheduler: it goes first.
    delete m_window;
}

RetryScheduler &DeliveryLaterControls::scheduler() const
{
    return m_later->scheduler();
}

const ReceiptBoard &DeliveryLaterControls::receipts() const
{
    return m_later->receipts();
}

void DeliveryLaterControls::start()
{
    m_later->start();
}

void DeliveryLaterControls::stop()
{
    m_later->stop();
}

void DeliveryLaterControls::tell(const QString &text)
{
    m_frame.statusPane(0)->setText(text);
    m_frame.showDesktopNotice(text);
}

void DeliveryLaterControls::keepForLater(const SendRequest &request, const QStringList &destinations)
{
    const QueueingOutcome outcome = m_later->keepForLater(request, destinations);
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
        m_window = new WaitingMessagesWindow(m_later->scheduler(), &m_frame);
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
