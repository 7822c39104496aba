// "tarquel probe" against stations and other peers on loopback: its lines, its JSON, its
// exit status, and the words it has for bad usage.
#include "TarquelProcess.h"
#include "protocol/ListeningStation.h"
#include "protocol/ProbePeer.h"

#include "cli/ProbeTargetArgument.h"
#include "settings/SettingsStore.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::runTarquel;

QString loopbackTarget(int port)
{
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

TEST(TarquelProbe, PrintsOneLinePerTargetInTheOrderGiven)
{
    test::ListeningStation station;
    test::ProbePeer silent(test::ProbePeer::silent());
    const QString closed = loopbackTarget(test::unusedTcpPort());

    const auto run =
        runTarquel({QStringLiteral("probe"), QStringLiteral("--timeout"), QStringLiteral("400"),
                    QStringLiteral("nobody.invalid:7777"), loopbackTarget(silent.port()), closed, station.address()});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        run.outLines(),
        (QStringList{QStringLiteral("nobody.invalid:7777\tunknown host"),
                     loopbackTarget(silent.port()) + QStringLiteral("\tno answer"),
                     closed + QStringLiteral("\tno station"), station.address() + QStringLiteral("\treachable")}));
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

TEST(TarquelProbe, SucceedsOnlyWhenEveryTargetIsReachable)
{
    test::ListeningStation first;
    test::ListeningStation second;
    const auto allThere = runTarquel({QStringLiteral("probe"), first.address(), QStringLiteral("localhost"),
                                      QStringLiteral("--port"), QString::number(second.port())});
    EXPECT_EQ(allThere.exitCode, 0) << allThere.out.toStdString();
    EXPECT_EQ(allThere.outLines(),
              (QStringList{first.address() + QStringLiteral("\treachable"),
                           QStringLiteral("localhost:%1\treachable").arg(second.port())}));
}

TEST(TarquelProbe, JsonHoldsEveryTargetWithItsOutcome)
{
    test::ListeningStation station;
    const int closedPort = test::unusedTcpPort();
    const auto run =
        runTarquel({QStringLiteral("probe"), QStringLiteral("--json"), station.address(), loopbackTarget(closedPort)});

    EXPECT_EQ(run.exitCode, 1);
    const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_FALSE(report.value(QStringLiteral("allReachable")).toBool(true));
    EXPECT_GE(report.value(QStringLiteral("elapsedMs")).toInt(-1), 0);
    const QJsonArray results = report.value(QStringLiteral("results")).toArray();
    ASSERT_EQ(results.size(), 2) << run.out.toStdString();
    const QJsonObject reachable = results[0].toObject();
    EXPECT_EQ(reachable.value(QStringLiteral("target")).toString(), station.address());
    EXPECT_EQ(reachable.value(QStringLiteral("host")).toString(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(reachable.value(QStringLiteral("port")).toInt(), station.port());
    EXPECT_EQ(reachable.value(QStringLiteral("address")).toString(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(reachable.value(QStringLiteral("outcome")).toString(), QStringLiteral("reachable"));
    EXPECT_EQ(results[1].toObject().value(QStringLiteral("outcome")).toString(), QStringLiteral("no station"));
    EXPECT_EQ(results[1].toObject().value(QStringLiteral("port")).toInt(), closedPort);
}

TEST(TarquelProbe, AHostWithoutPortIsProbedAtTheTcpPortOfTheSettings)
{
    test::ListeningStation station;
    const QTemporaryDir config;
    SettingsStore(config.path() + QStringLiteral("/Tarquel International/TarquelMessenger.conf"))
        .set(keys::TcpPort, station.port());
    QProcessEnvironment environment = test::desktopEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());

    const auto run = runTarquel({QStringLiteral("probe"), QStringLiteral("127.0.0.1")}, environment);

    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(run.outLines(), QStringList{station.address() + QStringLiteral("\treachable")});
}

TEST(TarquelProbe, BadUsageNamesTheWrongArgumentAndProbesNothing)
{
    test::ProbePeer station(test::ProbePeer::station());
    const QString good = loopbackTarget(station.port());
    const struct {
        QStringList arguments;
        const char *message;
    } cases[] = {
        {{good, QStringLiteral("127.0.0.1:70000")},
         "\"127.0.0.1:70000\": the port \"70000\" is not a number from 1 to 65535"},
        {{good, QStringLiteral("127.0.0.1:0")}, "the port \"0\""},
        {{good, QStringLiteral("127.0.0.1:7777u")}, "the port \"7777u\""},
        {{good, QStringLiteral("127.0.0.1:")}, "the port \"\""},
        {{QStringLiteral(":7777")}, "\":7777\" is not a host"},
        {{QStringLiteral("bob pc")}, "\"bob pc\" is not a host"},
        {{QStringLiteral("--port"), QStringLiteral("65536"), good}, "--port 65536: a port is a number from 1 to 65535"},
        {{QStringLiteral("--port"), QStringLiteral("-1"), good}, "--port -1"},
        {{QStringLiteral("--timeout"), QStringLiteral("soon"), good}, "--timeout soon"},
        {{QStringLiteral("--timeout"), QStringLiteral("0"), good}, "--timeout 0"},
        {{QStringLiteral("--frequency"), good}, "Unknown option 'frequency'"},
        {{}, "no HOST given"},
    };
    for (const auto &usage : cases) {
        const auto run = runTarquel(QStringList{QStringLiteral("probe")} + usage.arguments);
        EXPECT_EQ(run.exitCode, 2) << usage.message;
        EXPECT_TRUE(run.err.startsWith(QLatin1String("tarquel probe: "))
                    && run.err.contains(QLatin1String(usage.message)))
            << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    EXPECT_EQ(station.connectionCount(), 0) << "bad usage must not probe the good targets";
}

TEST(ProbeTargetArgument, ReadsHostAndPort)
{
    using cli::parseProbeTarget;
    EXPECT_EQ(std::get<ProbeTarget>(parseProbeTarget(QStringLiteral("bob-pc"), 7777)),
              (ProbeTarget{QStringLiteral("bob-pc"), 7777}));
    EXPECT_EQ(std::get<ProbeTarget>(parseProbeTarget(QStringLiteral("10.0.0.5:8000"), 7777)),
              (ProbeTarget{QStringLiteral("10.0.0.5"), 8000}));
    EXPECT_EQ(std::get<ProbeTarget>(parseProbeTarget(QStringLiteral("host.example.:65535"), 1)),
              (ProbeTarget{QStringLiteral("host.example."), 65535}));
    for (const char *bad : {"host:1:2", "host:+80", "host: 80", "[::1]:7777", "bob/10.0.0.5", "h\xc3\xa9te", ""})
        EXPECT_TRUE(std::holds_alternative<QString>(parseProbeTarget(QString::fromUtf8(bad), 7777))) << bad;
}

} // namespace
} // namespace tq
