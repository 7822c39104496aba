// Scans of a network with several hosts: stations, silent and wrong peers on addresses of
// their own in 10.99.0.0/24. Such a network exists only in a network namespace of the
// test's own, whose loopback holds the whole /24; elsewhere these tests skip.
#include "TarquelProcess.h"
#include "protocol/ProbePeer.h"

#include "protocol/Ipv4Range.h"
#include "protocol/ProbeRun.h"
#include "support/PrivateNetwork.h"
#include "support/QtPrinters.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace tq {
namespace {

using test::ProbePeer;

const QString kSetUp = QStringLiteral("ip link set lo up && ip addr add 10.99.0.2/24 dev lo");

// Stations on .3, .5 and .9 of 10.99.0.0/28; a silent listener on .7 and a wrong answerer on
// .11. Stations also listen on the network's own address, on its broadcast address and on
// the first address past it, where no scan of the /28 may knock.
class SmallNetwork {
public:
    SmallNetwork()
    {
        m_peers.push_back(std::make_unique<ProbePeer>(ProbePeer::station(), "10.99.0.3"));
        m_port = m_peers.back()->port();
        for (const char *address : {"10.99.0.5", "10.99.0.9", "10.99.0.0", "10.99.0.15", "10.99.0.16"})
            m_peers.push_back(std::make_unique<ProbePeer>(ProbePeer::station(), address, m_port));
        m_peers.push_back(std::make_unique<ProbePeer>(ProbePeer::silent(), "10.99.0.7", m_port));
        m_peers.push_back(
            std::make_unique<ProbePeer>(ProbePeer::Script{.answer = {QByteArrayLiteral("23")}}, "10.99.0.11", m_port));
    }
    bool isUp() const
    {
        return std::all_of(m_peers.begin(), m_peers.end(), [](const auto &peer) { return peer->isListening(); });
    }
    int port() const { return m_port; }
    const ProbePeer &outside(int i) const { return *m_peers[3 + i]; } // .0, .15, .16
    const ProbePeer &silent() const { return *m_peers[6]; }

private:
    std::vector<std::unique_ptr<ProbePeer>> m_peers;
    int m_port = 0;
};

#define RUN_INSIDE_PRIVATE_NETWORK(testName)                                                                           \
    if (!test::insidePrivateNetwork()) {                                                                               \
        const auto run = test::runInPrivateNetwork(kSetUp, QStringLiteral(testName));                                  \
        if (!run.available)                                                                                            \
            GTEST_SKIP() << run.output.toStdString();                                                                  \
        EXPECT_TRUE(run.passed) << run.output.toStdString();                                                           \
        return;                                                                                                        \
    }

TEST(ScanInPrivateNetwork, TarquelScanFindsExactlyTheListeningStations)
{
    RUN_INSIDE_PRIVATE_NETWORK("ScanInPrivateNetwork.TarquelScanFindsExactlyTheListeningStations");
    const SmallNetwork network;
    ASSERT_TRUE(network.isUp());

    const auto run = test::runTarquel({QStringLiteral("scan"), QStringLiteral("10.99.0.0/28"), QStringLiteral("--json"),
                                       QStringLiteral("--port"), QString::number(network.port())});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QStringList found;
    for (const QJsonObject &station : run.jsonLines())
        found.append(station.value(QStringLiteral("address")).toString());
    found.sort();
    EXPECT_EQ(found,
              (QStringList{QStringLiteral("10.99.0.3"), QStringLiteral("10.99.0.5"), QStringLiteral("10.99.0.9")}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(network.outside(i).connectionCount(), 0) << "a scan knocked outside its range";
    EXPECT_EQ(network.silent().connectionCount(), 1);
}

TEST(ScanInPrivateNetwork, EveryAddressGetsItsOutcomeAndASilentListenerEndsOnTime)
{
    RUN_INSIDE_PRIVATE_NETWORK("ScanInPrivateNetwork.EveryAddressGetsItsOutcomeAndASilentListenerEndsOnTime");
    const SmallNetwork network;
    ASSERT_TRUE(network.isUp());
    QList<ProbeTarget> targets;
    for (const QString &address : Ipv4Range::parse(u"10.99.0.0/28").dottedAddresses())
        targets.append({address, network.port()});
    const ProbeOptions options = ProbeOptions::forScan();

    std::map<QString, ProbeOutcome> outcomes;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(ProbeRun(targets, options).run([&](const ProbeResult &result) {
        EXPECT_FALSE(outcomes.count(result.address));
        outcomes[result.address] = result.outcome;
    }));

    std::map<QString, ProbeOutcome> expected;
    for (int last = 1; last <= 14; ++last)
        expected[QStringLiteral("10.99.0.%1").arg(last)] = ProbeOutcome::NoStation;
    for (const char *station : {"10.99.0.3", "10.99.0.5", "10.99.0.9"})
        expected[QLatin1String(station)] = ProbeOutcome::Reachable;
    expected[QStringLiteral("10.99.0.7")] = ProbeOutcome::NoAnswer;
    EXPECT_EQ(outcomes, expected);
    // Not a measure of speed: a run that waited on the silent listener for good would never
    // come back; one that keeps its limits is back after one time-out and one name wait.
    EXPECT_LT(clock.elapsed(), 3 * (options.timeoutMs + options.nameTimeoutMs));
}

} // namespace
} // namespace tq
