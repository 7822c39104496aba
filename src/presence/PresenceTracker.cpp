#include "presence/PresenceTracker.h"

#include "addressbook/AddressBookStore.h"
#include "addressbook/PresenceTexts.h"
#include "platform/Clock.h"
#include "presence/PresenceInterval.h"
#include "protocol/ProbeEngine.h"
#include "protocol/ProbeRun.h"
#include "protocol/SendDestination.h"

#include <QTimer>

#include <utility>

namespace tq {
namespace {

PresenceState stateOf(ProbeOutcome outcome)
{
    switch (outcome) {
    case ProbeOutcome::Reachable:
        return PresenceState::Reachable;
    case ProbeOutcome::UnknownHost:
        return PresenceState::Unknown;
    case ProbeOutcome::NoStation:
    case ProbeOutcome::NoAnswer:
        break;
    }
    return PresenceState::NotReachable;
}

} // namespace

PresenceTracker::PresenceTracker(SettingsStore settings, const Clock &clock, QObject *parent)
    : PresenceSource(parent)
    , m_settings(std::move(settings))
    , m_clock(clock)
    , m_engine(new ProbeEngine(this))
    , m_timer(new QTimer(this))
{
    connect(m_engine, &ProbeEngine::resultReady, this, &PresenceTracker::onResult);
    // Results come in batches; the windows read again once per batch.
    connect(m_engine, &ProbeEngine::progress, this, &PresenceTracker::announceChanges);
    connect(m_engine, &ProbeEngine::finished, this, &PresenceTracker::onRoundEnded);
    connect(m_timer, &QTimer::timeout, this, &PresenceTracker::checkNow);
    readSettings();
}

PresenceTracker::~PresenceTracker() = default;

void PresenceTracker::setLookup(HostResolver::Lookup lookup)
{
    m_lookup = std::move(lookup);
}

void PresenceTracker::setAddressFilter(const PresenceAddressFilter &filter)
{
    m_filter = filter;
    readRoster();
}

PresenceRoster::Rules PresenceTracker::rules() const
{
    return {m_tcpPort, m_udpPort, m_filter.value_or(PresenceAddressFilter())};
}

void PresenceTracker::readSettings()
{
    m_intervalSeconds = presenceIntervalSeconds(m_settings);
    m_tcpPort = tcpPort(m_settings);
    m_udpPort = effectiveUdpPort(m_settings);
    m_useProtocol = m_settings.get(keys::UseProtocol);
}

void PresenceTracker::readRoster(bool lookAtNewcomers)
{
    if (!m_filter)
        m_filter = PresenceAddressFilter::forThisMachine();
    m_roster = PresenceRoster::read(AddressBookStore(m_settings), rules());
    QHash<QString, Station> kept;
    bool newcomer = false;
    for (auto it = m_roster.stations().cbegin(); it != m_roster.stations().cend(); ++it) {
        const auto old = m_stations.constFind(it.key());
        newcomer = newcomer || old == m_stations.cend();
        kept.insert(it.key(), old == m_stations.cend() ? Station() : *old);
    }
    m_stations = std::move(kept);
    m_changed = true;
    announceChanges();
    if (newcomer && lookAtNewcomers)
        requestRound();
}

void PresenceTracker::start()
{
    m_started = true;
    readSettings();
    readRoster(false);
    requestRound();
    if (isEnabled())
        m_timer->start(m_intervalSeconds * 1000);
}

void PresenceTracker::stop()
{
    m_started = false;
    m_roundPending = false;
    m_timer->stop();
    m_engine->cancel();
}

bool PresenceTracker::isRoundRunning() const
{
    return m_engine->isRunning();
}

bool PresenceTracker::checkNow()
{
    if (!m_started || !isEnabled() || m_engine->isRunning())
        return false;
    m_roundStations = m_roster.stations().keys();
    QList<ProbeTarget> targets;
    targets.reserve(m_roundStations.size());
    for (const QString &key : std::as_const(m_roundStations))
        targets.append(m_roster.stations().value(key));
    if (targets.isEmpty()) {
        Q_EMIT roundFinished();
        return true;
    }
    ProbeRun run(targets, ProbeOptions::forPresence());
    // A name may stand for an address no probe may go to; it then counts as not found.
    run.setResolver(HostResolver(m_filter.value_or(PresenceAddressFilter()).guard(m_lookup)));
    return m_engine->start(std::move(run));
}

void PresenceTracker::requestRound()
{
    if (!m_started || !isEnabled())
        return;
    if (m_engine->isRunning())
        m_roundPending = true;
    else
        checkNow();
}

void PresenceTracker::onResult(const ProbeResult &result)
{
    if (!m_started || result.index < 0 || result.index >= m_roundStations.size())
        return;
    const QString &key = m_roundStations.at(result.index);
    if (const auto station = m_stations.find(key); station != m_stations.end() && !result.address.isEmpty())
        station->probedAddress = result.address;
    setState(key, stateOf(result.outcome));
}

void PresenceTracker::onRoundEnded()
{
    announceChanges();
    Q_EMIT roundFinished();
    if (std::exchange(m_roundPending, false))
        requestRound();
}

void PresenceTracker::reloadAddressBook()
{
    readRoster();
}

void PresenceTracker::reloadSettings()
{
    const int oldInterval = m_intervalSeconds;
    const int oldTcpPort = m_tcpPort;
    const int oldUdpPort = m_udpPort;
    readSettings();
    if (m_tcpPort != oldTcpPort || m_udpPort != oldUdpPort)
        readRoster(); // the stations of hosts without a port moved
    if (m_intervalSeconds == oldInterval || !m_started)
        return;
    if (!isEnabled()) {
        m_timer->stop();
        m_roundPending = false;
        m_engine->cancel();
        forgetStates();
        return;
    }
    m_timer->start(m_intervalSeconds * 1000);
    if (oldInterval == 0)
        requestRound();
}

void PresenceTracker::forgetStates()
{
    const QStringList keys = m_stations.keys();
    for (const QString &key : keys)
        setState(key, PresenceState::NotChecked);
    announceChanges();
}

void PresenceTracker::noteMessageFrom(const QString &address)
{
    const std::optional<std::uint32_t> sender = PresenceAddressFilter::writtenAddress(address);
    if (!isEnabled() || !sender)
        return;
    // A station named by its host name is known by the address the last look found for it.
    QStringList senders;
    for (auto it = m_roster.stations().cbegin(); it != m_roster.stations().cend(); ++it) {
        if (PresenceAddressFilter::writtenAddress(it.value().host) == sender
            || PresenceAddressFilter::writtenAddress(m_stations.value(it.key()).probedAddress) == sender)
            senders.append(it.key());
    }
    senders.sort(); // the order of the announcements does not hang on the order of a hash
    for (const QString &key : std::as_const(senders))
        setState(key, PresenceState::Reachable);
    announceChanges();
}

QString PresenceTracker::stationOfDestination(const QString &destination) const
{
    if (mailAddressOf(destination))
        return {};
    const NetworkTarget target = networkTarget(destination, m_tcpPort, m_udpPort, m_useProtocol);
    if (target.transport != SendTransport::Tcp)
        return {};
    return PresenceRoster::stationKey({target.host, target.port});
}

void PresenceTracker::noteSendFailed(const QString &destination)
{
    if (!isEnabled())
        return;
    setState(stationOfDestination(destination), PresenceState::NotReachable);
    announceChanges();
}

void PresenceTracker::noteSendConfirmed(const QString &destination)
{
    if (!isEnabled())
        return;
    setState(stationOfDestination(destination), PresenceState::Reachable);
    announceChanges();
}

void PresenceTracker::setState(const QString &stationKey, PresenceState state)
{
    const auto found = m_stations.find(stationKey);
    if (found == m_stations.end() || found->state == state)
        return;
    Station &station = *found;
    const qint64 now = m_clock.nowMs();
    const bool backAfterLongAbsence =
        state == PresenceState::Reachable && station.awaySinceMs && now - *station.awaySinceMs > kLongAbsenceMs;
    if (state == PresenceState::NotReachable || state == PresenceState::Unknown) {
        if (!station.awaySinceMs)
            station.awaySinceMs = now;
    } else {
        station.awaySinceMs.reset();
    }
    station.state = state;
    station.sinceMs = now;
    m_changed = true;

    // Copies: a receiver of these signals may well read the address book again.
    QList<PresenceRoster::User> users;
    for (const int index : m_roster.usersAt(stationKey))
        users.append(m_roster.users().at(index));
    QStringList announced;
    for (const PresenceRoster::User &user : std::as_const(users)) {
        Q_EMIT userPresenceChanged(user.name, user.host, state);
        if (backAfterLongAbsence && !announced.contains(user.name, Qt::CaseInsensitive)) {
            announced.append(user.name);
            Q_EMIT reachableAgain(user.name, reachableAgainText(user.name));
        }
    }
}

void PresenceTracker::announceChanges()
{
    if (std::exchange(m_changed, false))
        Q_EMIT presenceChanged();
}

QDateTime PresenceTracker::wallTime(qint64 ms) const
{
    return QDateTime::currentDateTime().addMSecs(ms - m_clock.nowMs());
}

UserPresence PresenceTracker::userPresence(const QString &name, const QString &host) const
{
    const int index = m_roster.indexOf(name, host);
    if (!isEnabled() || index < 0)
        return {};
    const auto found = m_stations.constFind(m_roster.users().at(index).stationKey);
    if (found == m_stations.cend() || found->state == PresenceState::NotChecked)
        return {};
    const qint64 since = found->awaySinceMs.value_or(found->sinceMs);
    return {found->state, wallTime(since)};
}

GroupPresence PresenceTracker::groupPresence(const QString &group) const
{
    GroupPresence presence;
    for (const int index : m_roster.membersOf(group)) {
        ++presence.members;
        const auto found = m_stations.constFind(m_roster.users().at(index).stationKey);
        if (isEnabled() && found != m_stations.cend() && found->state == PresenceState::Reachable)
            ++presence.reachable;
    }
    return presence;
}

} // namespace tq
