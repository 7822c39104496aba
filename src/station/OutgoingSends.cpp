#include "station/OutgoingSends.h"

#include "addressbook/TemplateFiles.h"
#include "mail/CSendMailThread.h"
#include "platform/SoundPlayer.h"
#include "protocol/SendDestination.h"
#include "protocol/SendTasks.h"
#include "settings/SettingsStore.h"

#include <algorithm>

namespace tq {
namespace {

constexpr QLatin1String kBroadcastAddress("255.255.255.255");

QStringList networkRecipients(const QString &destinations)
{
    QStringList list = splitDestinationList(destinations);
    list.removeIf([](const QString &destination) { return mailAddressOf(destination).has_value(); });
    return list;
}

bool reachesEveryStation(const QString &destinations, int useProtocol)
{
    const QStringList list = networkRecipients(destinations);
    return std::any_of(list.begin(), list.end(), [useProtocol](const QString &destination) {
        return networkTarget(destination, 0, 0, useProtocol).host == kBroadcastAddress;
    });
}

} // namespace

OutgoingSends::OutgoingSends(SettingsStore &settings, SoundPlayer &sound, QString dataDir, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_sound(sound)
    , m_dataDir(std::move(dataDir))
    , m_tasks(new SendTasks(settings, SendServices{smtpMailSendJobFactory(settings), {}}, this))
{
    connect(m_tasks, &SendTasks::sendResult, this, &OutgoingSends::sendResult);
    connect(m_tasks, &SendTasks::statusText, this, &OutgoingSends::sendProgress);
    connect(m_tasks, &SendTasks::sendFinished, this, &OutgoingSends::sendFinished);
}

OutgoingPlan OutgoingSends::plan(const OutgoingDraft &draft, const OutgoingSender &sender,
                                 const DestinationList &destinations, const AddressBookSnapshot &book,
                                 int useProtocol) const
{
    OutgoingPlan plan;
    plan.automaticAnswer = draft.automaticAnswer;
    plan.message = assembleOutgoing(draft, sender, destinations, book);
    if (plan.message.refused) {
        m_sound.play(QStringLiteral("SystemQuestion"));
        return plan;
    }
    // Stations file a packet without a system name as non-standard and show nothing of it:
    // sent, it would be reported as delivered and never be read.
    const QString &recipients = plan.message.request.destinations;
    if (sender.systemName.isEmpty() && !networkRecipients(recipients).isEmpty()) {
        plan.verdict = OutgoingPlan::Verdict::NoSystemName;
        return plan;
    }
    plan.verdict = OutgoingPlan::Verdict::Ready;
    // A send to every station on the network asks first, unless the user said not to; an
    // automatic answer never asks.
    plan.asksBroadcastQuestion = !draft.automaticAnswer && reachesEveryStation(recipients, useProtocol)
        && m_settings.get(keys::AskBeforeBroadcast) != 0;
    return plan;
}

bool OutgoingSends::broadcastAnswered(const Prompter::CheckedAnswer &reply)
{
    if (reply.answer != Prompter::Answer::Yes)
        return false;
    // Not asking again means sending without a question.
    if (reply.checked)
        m_settings.set(keys::AskBeforeBroadcast, 0);
    return true;
}

SendStart OutgoingSends::send(const OutgoingPlan &plan)
{
    SendStart start;
    if (plan.verdict != OutgoingPlan::Verdict::Ready)
        return start;
    const OutgoingMessage &message = plan.message;
    if (message.templateFile) {
        const std::optional<QString> path = addressbook::templateFilePath(m_dataDir, message.templateFile->baseName);
        if (!path || !addressbook::writeTemplateText(*path, message.templateFile->text)) {
            start.outcome = SendStart::Outcome::TemplateWriteFailed;
            start.templateFile = path.value_or(message.templateFile->baseName);
            return start;
        }
    }
    if (!message.hasRecipients()) {
        start.outcome = SendStart::Outcome::NothingToSend;
        return start;
    }
    start.outcome = SendStart::Outcome::Started;
    if (m_sendStarter) {
        start.send = ++m_lastStarted;
        Q_EMIT sendRequested(start.send, message.request);
        Q_EMIT sendStarted(start.send, plan.automaticAnswer);
        m_sendStarter(message.request);
        return start;
    }
    start.send = m_tasks->start(message.request);
    Q_EMIT sendRequested(start.send, message.request);
    Q_EMIT sendStarted(start.send, plan.automaticAnswer);
    return start;
}

int OutgoingSends::runningCount() const
{
    return m_tasks->runningCount();
}

} // namespace tq
