#include "app/PresenceControls.h"

#include "addressbook/DestinationComboBox.h"
#include "app/CMainFrame.h"
#include "messages/CTq20View.h"
#include "presence/FindStationsDialog.h"
#include "presence/PresenceTracker.h"
#include "protocol/SenderAddress.h"
#include "queue/QueueUnconfirmed.h"
#include "station/MessageStation.h"

#include <QAction>
#include <QLabel>

namespace tq {

PresenceControls::PresenceControls(CMainFrame &frame, SettingsStore &settings, Prompter &prompter, const Clock &clock)
    : QObject(&frame)
    , m_frame(frame)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_tracker(new PresenceTracker(settings, clock, this))
{
    auto *action = new QAction(tr("&Find Stations..."), &frame);
    action->setObjectName(QStringLiteral("actionFindStations"));
    connect(action, &QAction::triggered, this, &PresenceControls::showFindStations);
    frame.addAction(action);

    MessageStation &station = frame.station();
    connect(&station, &MessageStation::messageArrived, m_tracker,
            [this](const MessageRecord &record) { m_tracker->noteMessageFrom(senderHost(record.sender)); });
    connect(&station, &MessageStation::sendRequested, this, [this](quint64 send, const SendRequest &request) {
        QStringList destinations;
        for (const QString &destination : request.destinations.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (!destination.trimmed().isEmpty())
                destinations.append(destination.trimmed());
        }
        m_sendDestinations.insert(send, destinations);
    });
    connect(&station, &MessageStation::sendResult, this, &PresenceControls::onSendResult);
    connect(&station, &MessageStation::sendFinished, this, [this](quint64 send) { m_sendDestinations.remove(send); });
    connect(&station, &MessageStation::settingsReloaded, m_tracker, &PresenceTracker::reloadSettings);
    connect(&frame, &CMainFrame::addressBookChanged, m_tracker, &PresenceTracker::reloadAddressBook);
    connect(m_tracker, &PresenceTracker::reachableAgain, this,
            [this](const QString &, const QString &text) { m_frame.statusPane(0)->setText(text); });
    frame.view()->destinationBox()->setPresenceSource(m_tracker);
}

void PresenceControls::start()
{
    m_tracker->start();
}

void PresenceControls::stop()
{
    m_tracker->stop();
}

void PresenceControls::onSendResult(quint64 send, SendResultCode code, const QString &text)
{
    const auto found = m_sendDestinations.constFind(send);
    if (found == m_sendDestinations.constEnd())
        return;
    QStringList failed;
    if (notDeliveredCount(code) > 0)
        failed = unconfirmedDestinations(text);
    else if (code != SendResultCode::Delivered)
        return;
    for (const QString &destination : *found) {
        if (failed.contains(destination))
            m_tracker->noteSendFailed(destination);
        else
            m_tracker->noteSendConfirmed(destination);
    }
}

void PresenceControls::showFindStations()
{
    if (!m_findStations) {
        m_findStations = new FindStationsDialog(m_settings, m_prompter, &m_frame);
        m_findStations->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_findStations, &FindStationsDialog::addressBookChanged, this, &PresenceControls::addressBookChanged);
    }
    m_findStations->show();
    m_findStations->raise();
    m_findStations->activateWindow();
}

FindStationsDialog *PresenceControls::findStationsDialog() const
{
    return m_findStations;
}

} // namespace tq
