#include "app/SendResultHandler.h"

#include "app/CFailedHostsDlg.h"
#include "platform/Prompter.h"
#include "platform/SoundPlayer.h"
#include "queue/QueueUnconfirmed.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"

#include <algorithm>
#include <optional>

namespace tq {
namespace {

// From this many failed destinations on, the list gets a dialog of its own.
constexpr int kDialogFromCount = 11;

} // namespace

SendResultHandler::SendResultHandler(Prompter &prompter, SoundPlayer &sounds, SettingsStore &settings, Frame frame,
                                     QWidget *dialogParent, QObject *parent)
    : QObject(parent)
    , m_prompter(prompter)
    , m_sounds(sounds)
    , m_settings(settings)
    , m_frame(std::move(frame))
    , m_dialogParent(dialogParent)
{
}

void SendResultHandler::noteRequest(quint64 send, const SendRequest &request)
{
    if (m_keepForLater)
        m_requests.insert(send, request);
}

void SendResultHandler::onSendResult(SendResultCode code, const QString &text, quint64 send)
{
    using Code = SendResultCode;
    switch (code) {
    case Code::Delivered:
        sendSucceeded();
        return;
    case Code::Listening:
        if (m_frame.setModePane)
            m_frame.setModePane(text + tqString(Sid::ListeningSuffix));
        return;
    case Code::PortBusy:
        m_prompter.message(tqString(Sid::ErrorCreatingSocketCaption), text + tqString(Sid::PortBusyBoxSuffix),
                           Prompter::Icon::Stop);
        if (m_frame.setModePane)
            m_frame.setModePane(text + tqString(Sid::PortBusyStatusSuffix));
        return;
    case Code::LengthMismatch:
        m_prompter.message(tqString(Sid::PossibleSendErrorCaption),
                           tqFormat(Sid::IncompatibleReceiver, text.toUtf8().constData()), Prompter::Icon::Stop);
        return;
    case Code::MailSent:
    case Code::MailFailed:
        setStatusLine(text);
        m_prompter.message(tqString(Sid::AppName), text,
                           code == Code::MailSent ? Prompter::Icon::Information : Prompter::Icon::Exclamation);
        return;
    case Code::NotDelivered:
        break;
    }
    // Every code above the mail's lists destinations; any other is nothing to show.
    if (endsTheSend(code))
        listFailures(code, text, send);
}

void SendResultHandler::onStatusText(const QString &text)
{
    setStatusLine(text);
}

void SendResultHandler::sendSucceeded()
{
    const QString done = tqString(Sid::SendOk);
    setStatusLine(done);
    if (m_settings.get(keys::DisplaySendOK) != 0)
        m_sounds.play(QStringLiteral(".Default"));
    else
        m_prompter.message(tqString(Sid::SendOkCaption), done, Prompter::Icon::Information);
}

void SendResultHandler::listFailures(SendResultCode code, const QString &hosts, quint64 send)
{
    setStatusLine(tqString(Sid::SendNotComplete));
    const int count = notDeliveredCount(code);
    const QString caption = QString::number(count) + tqString(Sid::HostsNotFoundSuffix);
    // Delivery later is offered when the message of the send is at hand and one of the failed
    // destinations is a station it could wait for. Copied: a box runs its own event loop.
    const QStringList failed = unconfirmedDestinations(hosts);
    std::optional<SendRequest> keepable;
    if (const auto request = m_requests.constFind(send);
        request != m_requests.constEnd() && std::any_of(failed.begin(), failed.end(), isKeepable))
        keepable = *request;
    if (count >= kDialogFromCount) {
        // Opened without blocking this handler, so later results are not held up behind it.
        auto *dialog = new CFailedHostsDlg(caption, hosts, m_sounds, m_dialogParent);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        if (keepable) {
            dialog->offerDeliveryLater(true);
            connect(dialog, &CFailedHostsDlg::deliverLaterRequested, this,
                    [this, request = *keepable](const QStringList &picked) {
                        if (m_keepForLater)
                            m_keepForLater(request, picked);
                    });
        }
        dialog->open();
        return;
    }
    const QString text = tqString(Sid::FailedHostsIntro) + QStringLiteral("\r\n") + hosts;
    if (!keepable) {
        m_prompter.message(caption, text, Prompter::Icon::Exclamation);
        return;
    }
    if (m_prompter.messageWithAction(caption, text, CFailedHostsDlg::deliverLaterText(), Prompter::Icon::Exclamation)
        && m_keepForLater)
        m_keepForLater(*keepable, failed);
}

void SendResultHandler::setStatusLine(const QString &text) const
{
    if (m_frame.setStatusLine)
        m_frame.setStatusLine(text);
}

} // namespace tq
