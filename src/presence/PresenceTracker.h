#pragma once

#include "addressbook/PresenceSource.h"
#include "presence/PresenceAddressFilter.h"
#include "presence/PresenceRoster.h"
#include "protocol/HostResolver.h"
#include "settings/SettingsStore.h"

#include <QHash>
#include <QStringList>

#include <optional>

class QTimer;

namespace tq {

class Clock;
class ProbeEngine;
struct ProbeResult;

// Who of the address book is there. Every active user whose host is a TCP destination is
// probed at its port when the tracker starts and then every "PresenceInterval" seconds, at most
// 32 at once and 2 s each, in the background; only address-book hosts, never a broadcast or
// network address. What the station sees on its own counts too: a message from an address
// makes the users there reachable at once, a failed send makes the destination not reachable.
//
// Users that share a host and port share one station and one state. A user who comes back
// after more than five minutes away is announced once ("Bob is reachable again").
class PresenceTracker : public PresenceSource {
    Q_OBJECT
public:
    static constexpr qint64 kLongAbsenceMs = 5 * 60 * 1000;

    // `clock` says when states begin and how long someone was away; it must outlive the tracker.
    PresenceTracker(SettingsStore settings, const Clock &clock, QObject *parent = nullptr);
    ~PresenceTracker() override;

    // Host names are looked up with `lookup` instead of the system's.
    void setLookup(HostResolver::Lookup lookup);
    // The addresses probes may go to; by default the networks of this machine decide.
    void setAddressFilter(const PresenceAddressFilter &filter);

    // Reads the address book and the settings, looks at once, then every interval.
    void start();
    // No more looks until start(); a look under way is called off. The states stay as they were.
    void stop();
    bool isStarted() const { return m_started; }
    // A look now; false while presence is off, the tracker stopped or a look is under way.
    bool checkNow();
    bool isRoundRunning() const;
    int intervalSeconds() const { return m_intervalSeconds; }

    // The address book changed: users come and go, a new one is looked at soon.
    void reloadAddressBook();
    // The settings changed: the interval (0 switches presence off) and the default ports.
    void reloadSettings();

    // What the station saw. `address` is the sender's dotted address; a destination is a
    // destination text as sent ("Bob/10.0.0.5:8000"); a UDP destination says nothing here.
    void noteMessageFrom(const QString &address);
    void noteSendFailed(const QString &destination);
    void noteSendConfirmed(const QString &destination);

    bool isEnabled() const override { return m_intervalSeconds > 0; }
    UserPresence userPresence(const QString &name, const QString &host) const override;
    GroupPresence groupPresence(const QString &group) const override;

Q_SIGNALS:
    void userPresenceChanged(const QString &name, const QString &host, tq::PresenceState state);
    // For the status bar; nothing else is shown.
    void reachableAgain(const QString &name, const QString &text);
    // A look has ended, with all its results given, or was called off.
    void roundFinished();

private:
    struct Station {
        PresenceState state = PresenceState::NotChecked;
        qint64 sinceMs = 0;
        // Since when it has been not reachable or unknown, without a reachable in between.
        std::optional<qint64> awaySinceMs;
        // The dotted address its host name stood for at the last look, for knowing its messages.
        QString probedAddress;
    };

    PresenceRoster::Rules rules() const;
    void readSettings();
    // Stations that are new to the roster are looked at soon when `lookAtNewcomers`.
    void readRoster(bool lookAtNewcomers = true);
    // A look now, or as soon as the one under way has ended.
    void requestRound();
    void onResult(const ProbeResult &result);
    void onRoundEnded();
    void setState(const QString &stationKey, PresenceState state);
    void forgetStates();
    // Tells the windows once after a batch of changes.
    void announceChanges();
    QString stationOfDestination(const QString &destination) const;
    QDateTime wallTime(qint64 ms) const;

    SettingsStore m_settings;
    const Clock &m_clock;
    HostResolver::Lookup m_lookup;
    std::optional<PresenceAddressFilter> m_filter;
    PresenceRoster m_roster;
    QHash<QString, Station> m_stations;
    int m_intervalSeconds = 0;
    int m_tcpPort = 0;
    int m_udpPort = 0;
    int m_useProtocol = 2;
    bool m_started = false;
    bool m_roundPending = false;
    bool m_changed = false;
    QStringList m_roundStations; // by the index of each probe of the look under way
    ProbeEngine *m_engine = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace tq
