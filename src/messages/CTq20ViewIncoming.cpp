// The view's side of an incoming message: the handler decides, the view shows the outcome.
#include "messages/CTq20View.h"

#include "addressbook/AddressBookStore.h"
#include "addressbook/RefreshAddressBook.h"
#include "addressbook/ReplyDestination.h"
#include "messages/DisplayText.h"
#include "platform/SoundPlayer.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"

#include <utility>

namespace tq {
namespace {

// A record's text without the arrival stamp this station put before it.
QByteArray withoutStampLine(const QByteArray &recordText)
{
    return recordText.sliced(recordText.indexOf('\n') + 1);
}

} // namespace

void CTq20View::OnIncomingMessage(Transport transport, const ReceivedData &received)
{
    const IncomingDecision decision = m_incoming.OnIncomingMessage(transport, received);
    if (decision.outcome != IncomingDecision::Outcome::Accepted)
        return;
    // The display, the pop-up, the quote and the counters follow the last of the messages
    // that are waiting to be handled; they run when the queue has been worked off.
    m_pendingArrival.restoreWindow |= decision.restoreWindow;
    m_pendingArrival.offerQuote = decision.offerQuote;
    if (!m_arrivalTimer.isActive())
        m_arrivalTimer.start();
    if (decision.answerAutomatically)
        answerAutomatically();
    if (decision.sound)
        m_sound.play(*decision.sound, SoundPlayer::Fallback::Beep);
    m_viewer.markArrival();
}

void CTq20View::showArrivals()
{
    const PendingArrival pending = std::exchange(m_pendingArrival, {});
    showCurrentText();
    if (pending.restoreWindow)
        Q_EMIT restoreRequested();
    // The user may have started typing, or switched AutoAnswer on, since the arrival.
    const MessageRecord *current = m_viewer.messages().current();
    if (pending.offerQuote && current && m_viewer.composeReplaceable()) {
        m_destinationBox->setEditText(replyDestination(decodeMessageBytes(current->sender)));
        offerQuote(QuoteOffer::Replace);
    }
    if (const MessageRecord *newest = m_viewer.messages().newest())
        Q_EMIT messageArrived(decodeMessageBytes(withoutStampLine(newest->text)));
    RefreshCounters();
}

void CTq20View::applyIncomingSettings()
{
    m_deadFile.setTarget(m_settingsCache.saveDead, m_settingsCache.deadFileName);
    m_incoming.setSettings(m_settingsCache.incoming(m_ownIp, m_popupOnReceipt, AppDataDir::messagesPath()));
}

} // namespace tq
