#pragma once

#include "addressbook/AddressBookFixture.h"
#include "presence/PresenceTracker.h"
#include "support/ManualClock.h"
#include "support/SignalWaiter.h"

#include <QStringList>

#include <memory>

namespace tq::test {

inline QString stateWord(PresenceState state)
{
    switch (state) {
    case PresenceState::Reachable:
        return QStringLiteral("reachable");
    case PresenceState::NotReachable:
        return QStringLiteral("not reachable");
    case PresenceState::Unknown:
        return QStringLiteral("unknown");
    case PresenceState::NotChecked:
        break;
    }
    return QStringLiteral("not checked");
}

// A tracker over a real address book in a fresh home, on a clock the test moves, with what it
// announced recorded.
class PresenceTrackerFixture : public AddressBookFixture {
protected:
    // Generous: a look ends after one probe time-out at the most.
    static constexpr int kRoundGuardMs = 20000;

    void makeTracker()
    {
        tracker = std::make_unique<PresenceTracker>(settings, clock);
        // Only what the test puts in the address book says which addresses are refused.
        tracker->setAddressFilter(PresenceAddressFilter());
        QObject::connect(tracker.get(), &PresenceTracker::reachableAgain, tracker.get(),
                         [this](const QString &, const QString &text) { announced.append(text); });
        QObject::connect(tracker.get(), &PresenceTracker::userPresenceChanged, tracker.get(),
                         [this](const QString &name, const QString &, PresenceState state) {
                             changes.append(name + QLatin1Char('=') + stateWord(state));
                         });
        QObject::connect(tracker.get(), &PresenceTracker::roundFinished, tracker.get(), [this] { ++rounds; });
    }
    // Starts a look and waits for its end.
    bool look()
    {
        const int before = rounds;
        if (!tracker->checkNow())
            return false;
        return waitUntil([&] { return rounds > before; }, kRoundGuardMs);
    }
    bool waitForRound(int count)
    {
        return waitUntil([&] { return rounds >= count && !tracker->isRoundRunning(); }, kRoundGuardMs);
    }
    using AddressBookFixture::put;
    void put(const QString &group, const char *name, const QByteArray &host)
    {
        AddressBookFixture::put(group, name, host.constData());
    }
    PresenceState stateOf(const char *name, const QByteArray &host) const
    {
        return tracker->userPresence(QString::fromUtf8(name), QString::fromUtf8(host)).state;
    }
    ManualClock clock;
    std::unique_ptr<PresenceTracker> tracker;
    QStringList announced;
    QStringList changes;
    int rounds = 0;
};

} // namespace tq::test

namespace tq {
inline void PrintTo(PresenceState state, std::ostream *out)
{
    *out << test::stateWord(state).toStdString();
}
} // namespace tq
