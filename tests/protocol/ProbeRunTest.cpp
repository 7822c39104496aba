// The probe exchange on loopback: every outcome against real peers, the bound on exchanges
// at once, the time limits of silent peers, slow names and slow reverse lookups, and the
// background engine with its cancel.
#include "ListeningStation.h"
#include "ProbePeer.h"

#include "protocol/ProbeEngine.h"
#include "protocol/ProbeExchange.h"
#include "protocol/ProbeRun.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QElapsedTimer>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>

namespace tq {
namespace {

using test::ProbePeer;

ProbeTarget loopback(int port)
{
    return {QStringLiteral("127.0.0.1"), port};
}

// Runs to the end on this thread; results by target index.
std::map<int, ProbeResult> probeAll(ProbeRun run)
{
    std::map<int, ProbeResult> results;
    EXPECT_TRUE(run.run([&results](const ProbeResult &result) {
        EXPECT_FALSE(results.count(result.index)) << "a target reported twice";
        results[result.index] = result;
    }));
    return results;
}

std::map<int, ProbeOutcome> outcomes(const std::map<int, ProbeResult> &results)
{
    std::map<int, ProbeOutcome> byIndex;
    for (const auto &[index, result] : results)
        byIndex[index] = result.outcome;
    return byIndex;
}

// A blocking lookup that stays blocked until the test lets it go, as a dead name server does.
class StuckLookup {
public:
    ~StuckLookup() { release(); }
    template <typename Answer>
    auto waitThen(Answer answer)
    {
        return [state = m_state, answer](auto... arguments) {
            std::unique_lock lock(state->mutex);
            state->released.wait(lock, [&] { return state->isReleased; });
            return answer(arguments...);
        };
    }
    void release()
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->isReleased = true;
        m_state->released.notify_all();
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable released;
        bool isReleased = false;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

TEST(ProbeRun, EachKindOfPeerGetsItsOutcome)
{
    test::ListeningStation station;
    ProbePeer silent(ProbePeer::silent());
    ProbePeer wrongLength({.answer = {QByteArrayLiteral("21")}});
    ProbePeer mailServer({.greeting = QByteArrayLiteral("220 mail.example ESMTP\r\n"), .closeAfterAnswer = false});
    ProbePeer closesWithoutAWord({});
    ProbePeer answersInPieces({.answer = {QByteArrayLiteral("2"), QByteArrayLiteral("2")}, .pauseMs = 50});
    ProbePeer answersAndStaysOpen({.answer = {QByteArrayLiteral("22")}, .closeAfterAnswer = false});
    const QList<ProbeTarget> targets = {
        loopback(station.port()),
        loopback(test::unusedTcpPort()),
        loopback(silent.port()),
        loopback(wrongLength.port()),
        loopback(mailServer.port()),
        loopback(closesWithoutAWord.port()),
        loopback(answersInPieces.port()),
        loopback(answersAndStaysOpen.port()),
        {QStringLiteral("no-such-station.invalid"), 7777},
        {QStringLiteral("localhost"), station.port()},
        // Connecting to 0.0.0.0 would reach this machine; the others are no station's.
        {QStringLiteral("0.0.0.0"), station.port()},
        {QStringLiteral("255.255.255.255"), station.port()},
        {QStringLiteral("224.0.0.1"), station.port()},
    };
    ProbeOptions options = ProbeOptions::forProbe();
    options.timeoutMs = 700;

    const auto results = probeAll(ProbeRun(targets, options));

    const std::map<int, ProbeOutcome> expected = {
        {0, ProbeOutcome::Reachable},  {1, ProbeOutcome::NoStation},  {2, ProbeOutcome::NoAnswer},
        {3, ProbeOutcome::NoStation},  {4, ProbeOutcome::NoStation},  {5, ProbeOutcome::NoStation},
        {6, ProbeOutcome::Reachable},  {7, ProbeOutcome::Reachable},  {8, ProbeOutcome::UnknownHost},
        {9, ProbeOutcome::Reachable},  {10, ProbeOutcome::NoStation}, {11, ProbeOutcome::NoStation},
        {12, ProbeOutcome::NoStation},
    };
    EXPECT_EQ(outcomes(results), expected);
    EXPECT_EQ(results.at(0).address, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(results.at(9).address, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(results.at(9).target, targets[9]);
    EXPECT_TRUE(results.at(8).address.isEmpty());
    // The listener read one whole packet: the keyword and the terminator, nothing more.
    EXPECT_TRUE(test::waitUntil([&] { return station.packets.size() == 2; }));
    EXPECT_EQ(station.packets.value(0), QByteArrayLiteral("QA_IDENTIFY_MESSAGE/$7"));
    EXPECT_EQ(silent.received(), QList<QByteArray>{ProbeExchange::probePacket()});
}

TEST(ProbeRun, NeverHasMoreExchangesUnderWayThanAllowed)
{
    ProbePeer silent(ProbePeer::silent());
    ProbeOptions options = ProbeOptions::forProbe();
    options.concurrency = 3;
    options.timeoutMs = 150;
    const QList<ProbeTarget> targets(10, loopback(silent.port()));

    const auto results = probeAll(ProbeRun(targets, options));

    ASSERT_EQ(results.size(), 10u);
    for (const auto &[index, result] : results)
        EXPECT_EQ(result.outcome, ProbeOutcome::NoAnswer) << index;
    EXPECT_TRUE(test::waitUntil([&] { return silent.connectionCount() == 10; }));
    EXPECT_EQ(silent.mostAtOnce(), 3);
}

TEST(ProbeRun, SlowNameAndSlowReverseLookupEndWithTheirTimeLimits)
{
    test::ListeningStation station;
    StuckLookup stuckNameServer;
    ProbeOptions options = ProbeOptions::forScan();
    options.timeoutMs = 300;
    options.nameTimeoutMs = 300;
    ProbeRun run({{QStringLiteral("slow.example"), station.port()}, loopback(station.port())}, options);
    run.setResolver(HostResolver(stuckNameServer.waitThen(
        [](const QByteArray &) { return std::optional<std::uint32_t>(htonl(INADDR_LOOPBACK)); })));
    run.setNameLookup(stuckNameServer.waitThen([](std::uint32_t) { return QStringLiteral("late.example"); }));

    const auto results = probeAll(std::move(run));

    EXPECT_EQ(results.at(0).outcome, ProbeOutcome::UnknownHost);
    EXPECT_EQ(results.at(1).outcome, ProbeOutcome::Reachable);
    EXPECT_TRUE(results.at(1).hostName.isEmpty());
}

TEST(ProbeRun, ReachableStationsGetTheirHostNamesOnlyWhenAsked)
{
    test::ListeningStation station;
    const QList<ProbeTarget> targets = {loopback(station.port()), loopback(test::unusedTcpPort())};
    int lookups = 0;
    const auto lookup = [&lookups](std::uint32_t address) {
        ++lookups;
        return address == htonl(INADDR_LOOPBACK) ? QStringLiteral("station-one") : QString();
    };

    ProbeRun scan(targets, ProbeOptions::forScan());
    scan.setNameLookup(lookup);
    const auto scanned = probeAll(std::move(scan));
    EXPECT_EQ(scanned.at(0).hostName, QStringLiteral("station-one"));
    EXPECT_TRUE(scanned.at(1).hostName.isEmpty());
    EXPECT_EQ(lookups, 1) << "only the reachable station is looked up";

    ProbeRun probe(targets, ProbeOptions::forProbe());
    probe.setNameLookup(lookup);
    EXPECT_TRUE(probeAll(std::move(probe)).at(0).hostName.isEmpty());
    EXPECT_EQ(lookups, 1);
}

TEST(ReverseNameLookup, KeepsOnlyPlainHostNames)
{
    EXPECT_EQ(ReverseNameLookup::plainHostName("station-7.lan"), QStringLiteral("station-7.lan"));
    EXPECT_EQ(ReverseNameLookup::plainHostName("under_score.example."), QStringLiteral("under_score.example."));
    EXPECT_TRUE(ReverseNameLookup::plainHostName("").isEmpty());
    EXPECT_TRUE(ReverseNameLookup::plainHostName("two words").isEmpty());
    EXPECT_TRUE(ReverseNameLookup::plainHostName("evil\x1b[31m.example").isEmpty());
    EXPECT_TRUE(ReverseNameLookup::plainHostName("caf\xc3\xa9.example").isEmpty());
    EXPECT_TRUE(ReverseNameLookup::plainHostName(QByteArray(254, 'a').constData()).isEmpty());
    EXPECT_EQ(ReverseNameLookup::systemLookup(htonl(INADDR_LOOPBACK)).isEmpty(), false)
        << "loopback has a name in every hosts file";
}

TEST(ProbeEngine, DeliversEveryResultWithProgressAndCanRunAgain)
{
    test::ListeningStation station;
    ProbeEngine engine;
    QList<ProbeResult> results;
    QList<std::pair<int, int>> progress;
    std::optional<bool> finishedCancelled;
    QObject context;
    QObject::connect(&engine, &ProbeEngine::resultReady, &context,
                     [&](const ProbeResult &result) { results.append(result); });
    QObject::connect(&engine, &ProbeEngine::progress, &context, [&](int done, int total) {
        progress.append({done, total});
    });
    QObject::connect(&engine, &ProbeEngine::finished, &context, [&](bool cancelled) { finishedCancelled = cancelled; });
    const QList<ProbeTarget> targets = {
        loopback(station.port()), loopback(test::unusedTcpPort()), {QStringLiteral("nobody.invalid"), 7777}};

    ASSERT_TRUE(engine.start(targets, ProbeOptions::forPresence()));
    EXPECT_TRUE(engine.isRunning());
    EXPECT_FALSE(engine.start(targets, ProbeOptions::forPresence())) << "one run at a time";
    ASSERT_TRUE(test::waitUntil([&] { return finishedCancelled.has_value(); }));

    EXPECT_FALSE(*finishedCancelled);
    EXPECT_FALSE(engine.isRunning());
    ASSERT_EQ(results.size(), 3);
    std::map<int, ProbeOutcome> byIndex;
    for (const ProbeResult &result : results)
        byIndex[result.index] = result.outcome;
    EXPECT_EQ(byIndex,
              (std::map<int, ProbeOutcome>{
                  {0, ProbeOutcome::Reachable}, {1, ProbeOutcome::NoStation}, {2, ProbeOutcome::UnknownHost}}));
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.constLast(), std::make_pair(3, 3));
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));

    results.clear();
    progress.clear();
    finishedCancelled.reset();
    ASSERT_TRUE(engine.start({loopback(station.port())}, ProbeOptions::forPresence()));
    ASSERT_TRUE(test::waitUntil([&] { return finishedCancelled.has_value(); }));
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0].outcome, ProbeOutcome::Reachable);
    EXPECT_EQ(progress, (QList<std::pair<int, int>>{{1, 1}}));
}

TEST(ProbeEngine, CancelEndsTheRunAtOnce)
{
    ProbePeer silent(ProbePeer::silent());
    ProbeEngine engine;
    std::optional<bool> finishedCancelled;
    int resultCount = 0;
    QObject context;
    QObject::connect(&engine, &ProbeEngine::resultReady, &context, [&](const ProbeResult &) { ++resultCount; });
    QObject::connect(&engine, &ProbeEngine::finished, &context, [&](bool cancelled) { finishedCancelled = cancelled; });
    ProbeOptions options = ProbeOptions::forScan();
    options.concurrency = 2;
    options.timeoutMs = 60000;

    ASSERT_TRUE(engine.start(QList<ProbeTarget>(20, loopback(silent.port())), options));
    ASSERT_TRUE(test::waitUntil([&] { return silent.connectionCount() == 2; }));
    QElapsedTimer clock;
    clock.start();
    engine.cancel();
    ASSERT_TRUE(test::waitUntil([&] { return finishedCancelled.has_value(); }, 10000));

    EXPECT_TRUE(*finishedCancelled);
    EXPECT_EQ(resultCount, 0) << "no silent peer had its time out yet";
    EXPECT_LT(clock.elapsed(), options.timeoutMs);
    EXPECT_EQ(silent.connectionCount(), 2) << "no exchange begins after the cancel";
}

TEST(ProbeEngine, GoingAwayInTheMiddleOfARunLeavesNothingBehind)
{
    ProbePeer silent(ProbePeer::silent());
    {
        ProbeEngine engine;
        ProbeOptions options = ProbeOptions::forProbe();
        options.timeoutMs = 60000;
        ASSERT_TRUE(engine.start(QList<ProbeTarget>(5, loopback(silent.port())), options));
        ASSERT_TRUE(test::waitUntil([&] { return silent.openNow() == 5; }));
    }
    // The engine's thread has closed its sockets: the peer sees every connection go.
    EXPECT_TRUE(test::waitUntil([&] { return silent.openNow() == 0; }));
    EXPECT_EQ(silent.connectionCount(), 5);
}

} // namespace
} // namespace tq
