// The view's side of an incoming message: the handler decides, the view shows the outcome.
#include "messages/CTq20View.h"

#include "addressbook/AddressBookStore.h"
#include "addressbook/RefreshAddressBook.h"
#include "platform/SoundPlayer.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"

#include <utility>

namespace tq {

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
    if (pending.offerQuote && m_viewer.messages().current())
        offerQuote(*m_viewer.messages().current(), QuoteOffer::Replace);
    RefreshCounters();
}

void CTq20View::answerAutomatically()
{
    // The automatic answer goes out from here once the outgoing assembly can send it: the
    // compose text, to whatever the destination box holds, marked as an automatic answer.
}

void CTq20View::applyIncomingSettings()
{
    m_deadFile.setTarget(m_settingsCache.saveDead, m_settingsCache.deadFileName);
    m_incoming.setSettings(
        IncomingSettings::from(m_settingsCache, m_ownIp, m_popupOnReceipt, AppDataDir::messagesPath()));
}

} // namespace tq
