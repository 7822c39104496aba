// The view's send: the compose text to the destinations of the destination box, with the
// elapsed time in the status bar until the send's final report.
#include "messages/CTq20View.h"

#include "addressbook/AddressBookStore.h"
#include "addressbook/DestinationComboBox.h"
#include "addressbook/RefreshAddressBook.h"
#include "addressbook/TemplateFiles.h"
#include "mail/CSendMailThread.h"
#include "messages/EightBitSenders.h"
#include "messages/MessageEdit.h"
#include "messages/SendTimeDisplay.h"
#include "platform/Prompter.h"
#include "platform/SoundPlayer.h"
#include "station/OutgoingAssembly.h"
#include "protocol/SendDestination.h"
#include "protocol/SendTasks.h"
#include "res/StringTable.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QLabel>

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

void CTq20View::setUpAddressBookAndSending(const Clock &clock)
{
    AddressBookStore(m_settings).ensureExists();
    connect(m_destinationBox, &DestinationComboBox::entryPicked, this, &CTq20View::onDestinationPicked);
    connect(action(Command::AddSenderOutsideAnyGroup), &QAction::triggered, this,
            [this] { addSenderCommand(kAddSenderOutsideCommand); });
    connect(action(Command::AddSenderJunk), &QAction::triggered, this,
            [this] { addSenderCommand(kAddSenderJunkCommand); });

    m_sendTasks = new SendTasks(m_settings, SendServices{smtpMailSendJobFactory(m_settings), {}}, this);
    m_sendTime = new SendTimeDisplay(clock, this);
    connect(this, &CTq20View::sendRequested, this, [this](char importance) { SendOutgoing(importance, false); });
}

void CTq20View::SendOutgoing(char importance, bool automaticAnswer)
{
    OutgoingDraft draft;
    draft.composeText = m_composeBox->toPlainText();
    draft.destinationText = m_destinationBox->currentText();
    draft.selectedIndex = m_destinationBox->currentIndex();
    draft.importance = importance;
    draft.automaticAnswer = automaticAnswer;
    const StationSettings &s = m_settingsCache;
    const OutgoingSender sender{.fullName = s.fullName,
                                .systemName = s.systemName,
                                .signature = s.signature,
                                .email = s.emailAddress,
                                .ownIp = m_ownIp,
                                .tcpPort = s.tcpPort,
                                .udpPort = s.udpPort,
                                .budgetMs = s.delay,
                                .preferWindows1252 = s.sendWindows1252,
                                .windows1252Hosts = eightBitSenderHosts(m_viewer.messages())};
    const OutgoingMessage message = assembleOutgoing(draft, sender, m_destinationBox->destinations(), m_addressBook);

    if (message.refused) {
        m_destinationBox->setFocus();
        m_sound.play(QStringLiteral("SystemQuestion"));
        // The sound alone leaves the user guessing; pane 0 says what is missing.
        if (!automaticAnswer && m_panes.mode)
            m_panes.mode->setText(tqString(Sid::StatusNoDestination));
        return;
    }
    // Stations file a packet without a system name as non-standard and show nothing of it:
    // sent, it would be reported as delivered and never be read.
    if (s.systemName.isEmpty() && !networkRecipients(message.request.destinations).isEmpty()) {
        if (!automaticAnswer)
            m_prompter.message(tqString(Sid::AppName), tqString(Sid::SystemNameMissing), Prompter::Icon::Exclamation);
        return;
    }
    // `message` is complete before the question: what goes out is what the user confirmed,
    // whatever the box's event loop changes in the controls meanwhile.
    if (!automaticAnswer && !broadcastConfirmed(message.request.destinations)) {
        m_destinationBox->setFocus();
        return;
    }
    if (message.templateFile) {
        const std::optional<QString> path = addressbook::templateFilePath(AppDataDir::path(), message.templateFile->baseName);
        if (!path || !addressbook::writeTemplateText(*path, message.templateFile->text)) {
            // An automatic answer is nobody's command: it fails quietly.
            if (!automaticAnswer) {
                const QByteArray name = path.value_or(message.templateFile->baseName).toUtf8();
                m_prompter.message(tqString(Sid::AppName), tqFormat(Sid::FileWriteFailed, name.constData()),
                                   Prompter::Icon::Stop);
            }
            return;
        }
    }

    if (message.hasRecipients()) {
        if (!automaticAnswer)
            m_sendTime->start(m_panes.sendTime);
        if (m_sendStarter)
            m_sendStarter(message.request);
        else
            m_sendTasks->start(message.request);
    }

    m_viewer.setComposeReplaceable(true);
    if (!automaticAnswer) {
        m_composeBox->selectAll();
        m_composeBox->setFocus();
    }
}

bool CTq20View::broadcastConfirmed(const QString &destinations)
{
    if (!reachesEveryStation(destinations, m_settingsCache.useProtocol)
        || m_settings.get(keys::AskBeforeBroadcast) == 0)
        return true;
    const Prompter::CheckedAnswer reply = m_prompter.messageWithCheckBox(
        tqString(Sid::AppName), tqString(Sid::BroadcastQuestion), tqString(Sid::DoNotAskAgain),
        Prompter::Icon::Question, Prompter::Buttons::YesNo, Prompter::Answer::No);
    if (reply.answer != Prompter::Answer::Yes)
        return false;
    // Not asking again means sending without a question; a No never turns the question off.
    if (reply.checked)
        m_settings.set(keys::AskBeforeBroadcast, 0);
    return true;
}

void CTq20View::stopSendTimer()
{
    m_sendTime->stop();
}

bool CTq20View::sendTimerRunning() const
{
    return m_sendTime->isRunning();
}

} // namespace tq
