// "tarquel send --later": the destinations that did not confirm wait in the user's queue, the
// confirmed ones never do.
#include "TarquelProcess.h"

#include "protocol/ListeningStation.h"
#include "queue/DeliveryQueue.h"
#include "settings/SettingsStore.h"

#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/SignalWaiter.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

class TarquelSendLater : public test::IsolatedHome {
protected:
    TarquelSendLater()
    {
        settings.set(keys::SystemName, u"ALICE"_s);
        settings.set(keys::Delay, 2000);
    }
    QStringList queuedDestinations() const
    {
        QStringList destinations;
        for (const QueuedMessage &entry : DeliveryQueue(appDataDir()).entries())
            destinations.append(entry.destination);
        return destinations;
    }

    SettingsStore settings;
};

TEST_F(TarquelSendLater, OnlyTheUnconfirmedDestinationWaitsInTheQueue)
{
    test::ListeningStation peer;
    const int refusingPort = test::unusedTcpPort();
    const QString refusing = u"127.0.0.1:%1"_s.arg(refusingPort);

    auto run = test::runTarquel({u"send"_s, peer.address(), refusing, u"-m"_s, u"see you later"_s, u"--later"_s});
    EXPECT_EQ(run.exitCode, 1) << "the message has not reached everyone yet";
    EXPECT_EQ(run.err.trimmed(), u"not confirmed: "_s + refusing);
    EXPECT_EQ(run.out.trimmed(), refusing + u": waits for delivery when reachable"_s);
    EXPECT_EQ(queuedDestinations(), QStringList{refusing});
    const QList<QueuedMessage> entries = DeliveryQueue(appDataDir()).entries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].port, refusingPort);
    EXPECT_TRUE(entries[0].streamPacket.contains("see you later"));
    ASSERT_TRUE(test::waitUntil([&] { return peer.packets.size() == 1; }));
    EXPECT_EQ(entries[0].streamPacket, peer.packets[0]) << "the waiting bytes are those that were sent";

    // With --json the kept destinations are in the report; without --later nothing is kept.
    run = test::runTarquel({u"send"_s, refusing, u"-m"_s, u"again"_s, u"--later"_s, u"--json"_s});
    ASSERT_EQ(run.jsonLines().size(), 1) << run.out.toStdString();
    EXPECT_EQ(run.jsonLines()[0].value(u"queued"_s).toArray(), QJsonArray{refusing});
    run = test::runTarquel({u"send"_s, refusing, u"-m"_s, u"not kept"_s});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(queuedDestinations().size(), 2);
}

} // namespace
} // namespace tq
