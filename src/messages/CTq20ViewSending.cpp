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
#include "protocol/OutgoingAssembly.h"
#include "protocol/SendTasks.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QLabel>

namespace tq {

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
    const ViewSettings &s = m_settingsCache;
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
        return;
    }
    if (message.templateFile) {
        const std::optional<QString> path = addressbook::templateFilePath(message.templateFile->baseName);
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
        m_sendTasks->start(message.request);
    }

    m_viewer.setComposeReplaceable(true);
    if (!automaticAnswer) {
        m_composeBox->selectAll();
        m_composeBox->setFocus();
    }
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
