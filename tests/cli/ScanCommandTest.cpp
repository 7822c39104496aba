// "tarquel scan" on loopback addresses: what it prints, and the ranges it refuses.
#include "TarquelProcess.h"
#include "protocol/ListeningStation.h"

#include "support/LoopbackPeer.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::runTarquel;

// The station listens on every address of the machine, so every loopback address of the
// range finds it.
TEST(TarquelScan, PrintsTheStationsThatAnswered)
{
    test::ListeningStation station;
    const QString port = QString::number(station.port());

    const auto run =
        runTarquel({QStringLiteral("scan"), QStringLiteral("127.0.0.0/30"), QStringLiteral("--port"), port});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QStringList lines = run.outLines();
    lines.sort();
    ASSERT_EQ(lines.size(), 2) << run.out.toStdString();
    // Address, host name ("-" when there is none), port.
    for (int i = 0; i < 2; ++i) {
        const QStringList fields = lines[i].split(u'\t');
        ASSERT_EQ(fields.size(), 3) << lines[i].toStdString();
        EXPECT_EQ(fields[0], QStringLiteral("127.0.0.%1").arg(i + 1));
        EXPECT_FALSE(fields[1].isEmpty());
        EXPECT_EQ(fields[2], port);
    }
    EXPECT_TRUE(run.err.contains(QStringLiteral("2 of 2 addresses"))) << run.err.toStdString();
}

TEST(TarquelScan, JsonGivesOneObjectPerStation)
{
    test::ListeningStation station;
    const auto run =
        runTarquel({QStringLiteral("scan"), QStringLiteral("--json"), QStringLiteral("127.0.0.1-127.0.0.3"),
                    QStringLiteral("-p"), QString::number(station.port())});

    EXPECT_EQ(run.exitCode, 0);
    QStringList addresses;
    for (const QJsonObject &found : run.jsonLines()) {
        addresses.append(found.value(QStringLiteral("address")).toString());
        EXPECT_EQ(found.value(QStringLiteral("port")).toInt(), station.port());
        EXPECT_TRUE(found.contains(QStringLiteral("hostName")));
    }
    addresses.sort();
    EXPECT_EQ(addresses,
              (QStringList{QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.2"), QStringLiteral("127.0.0.3")}));
}

TEST(TarquelScan, FindingNothingIsNoFailure)
{
    const auto run = runTarquel({QStringLiteral("scan"), QStringLiteral("127.0.0.1-2"), QStringLiteral("--port"),
                                 QString::number(test::unusedTcpPort())});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("0 of 2 addresses"))) << run.err.toStdString();
}

TEST(TarquelScan, RefusesBadRangesBeforeProbingAnything)
{
    const struct {
        QStringList arguments;
        const char *message;
    } cases[] = {
        {{QStringLiteral("10.0.0.0/8")}, "\"10.0.0.0/8\" is too large"},
        {{QStringLiteral("127.0.0.9-127.0.0.1")}, "is reversed: 127.0.0.9 comes after 127.0.0.1"},
        {{QStringLiteral("127.0.0.x")}, "is not an address range"},
        {{QStringLiteral("127.0.0.0/30"), QStringLiteral("127.0.1.0/30")}, "one RANGE at a time"},
        {{}, "no RANGE given"},
        {{QStringLiteral("127.0.0.0/30"), QStringLiteral("--port"), QStringLiteral("0")}, "--port 0"},
    };
    for (const auto &usage : cases) {
        const auto run = runTarquel(QStringList{QStringLiteral("scan")} + usage.arguments);
        EXPECT_EQ(run.exitCode, 2) << usage.message;
        EXPECT_TRUE(run.err.startsWith(QLatin1String("tarquel scan: "))
                    && run.err.contains(QLatin1String(usage.message)))
            << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

} // namespace
} // namespace tq
