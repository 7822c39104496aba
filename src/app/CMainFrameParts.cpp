// CMainFrame: how the station's reports reach the window, and the parts beside the message
// road (the history, presence, delivery later), made with the window and run with its processes.
#include "app/CMainFrame.h"

#include "app/DeliveryLaterControls.h"
#include "app/HistoryControls.h"
#include "app/PresenceControls.h"
#include "app/SendResultHandler.h"
#include "messages/CTq20View.h"
#include "platform/Prompter.h"
#include "res/StringTable.h"

namespace tq {

void CMainFrame::connectStation()
{
    MessageStation &station = *m_station;
    connect(&station, &MessageStation::arrivalsSettled, this, &CMainFrame::onArrivalsSettled);
    connect(&station, &MessageStation::receiverStateChanged, m_sendResults,
            [this](Transport, SendResultCode code, const QString &text) { m_sendResults->onSendResult(code, text); });
    connect(&station, &MessageStation::sendResult, m_sendResults,
            [this](quint64 send, SendResultCode code, const QString &text) {
                m_sendResults->onSendResult(code, text, send);
            });
    connect(&station, &MessageStation::sendProgress, m_sendResults,
            [this](quint64, const QString &text) { m_sendResults->onStatusText(text); });
    connect(&station, &MessageStation::userError, this, [this](const QString &text) {
        m_prompter.message(tqString(Sid::AppName), text, Prompter::Icon::Exclamation, Prompter::Buttons::Ok);
    });
    connect(&station, &MessageStation::largeMessageFilesSkipped, this,
            [this](int count) { m_statusBar->showLargeFilesSkipped(count); });
    // A failed send's message may be kept for delivery later: its request goes with its report.
    connect(&station, &MessageStation::sendRequested, m_sendResults, &SendResultHandler::noteRequest);
    connect(&station, &MessageStation::sendFinished, m_sendResults, &SendResultHandler::forgetRequest);
    m_sendResults->setKeepForLater([this](const SendRequest &request, const QStringList &destinations) {
        m_later->keepForLater(request, destinations);
    });
    connect(&station, &MessageStation::diskSpaceChanged, this, [this](bool nearlyFull, const QString &text) {
        m_diskNote = nearlyFull ? text : QString();
        updateTrayTipNote();
    });
}

void CMainFrame::createParts(const Clock &clock)
{
    m_history = new HistoryControls(*m_station, *m_view, m_settings, m_prompter, this);
    m_presence = new PresenceControls(*this, m_settings, m_prompter, clock);
    connect(m_presence, &PresenceControls::addressBookChanged, this, [this] {
        if (m_exiting || hasEnded())
            return;
        m_view->addressBookChanged();
        Q_EMIT addressBookChanged();
    });
    m_later = new DeliveryLaterControls(*this, m_settings, m_prompter, m_presence->tracker());
    connect(m_later, &DeliveryLaterControls::countChanged, this, [this](int count) {
        m_waitingCount = count;
        updateTrayTipNote();
    });
}

void CMainFrame::updateTrayTipNote()
{
    QString note;
    if (m_waitingCount > 0)
        note = QStringLiteral(" (") + tqFormat(Sid::TrayWaiting, m_waitingCount) + QLatin1Char(')');
    if (!m_diskNote.isEmpty())
        note += QLatin1Char('\n') + m_diskNote;
    m_view->setTrayTipNote(note);
}

void CMainFrame::startParts()
{
    m_presence->start();
    // After the receivers: the receipts of its datagrams come to the UDP receiver.
    m_later->start();
}

void CMainFrame::stopParts()
{
    m_later->stop();
    m_presence->stop();
}

} // namespace tq
