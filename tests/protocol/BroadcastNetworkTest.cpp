// The broadcast on a real socket. Sending to 255.255.255.255 is safe only in a network of the
// test's own, so the test runs itself again inside a private network namespace whose only
// interface is loopback, and is skipped where such a namespace cannot be made.
#include "SendTestSupport.h"

#include "settings/SettingsStore.h"
#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QNetworkInterface>
#include <QProcess>

#include <gtest/gtest.h>

namespace tq {
namespace {

constexpr char kInsideVariable[] = "TQ_PRIVATE_NETWORK";
// Loopback up, and the limited broadcast routed onto it.
constexpr char kNetworkSetUp[] = "ip link set lo up && ip route add default dev lo";

bool onlyLoopbackInterfaces()
{
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    return std::all_of(interfaces.begin(), interfaces.end(),
                       [](const QNetworkInterface &i) { return i.type() == QNetworkInterface::Loopback; });
}

void sendAndReceiveTheBroadcast()
{
    ASSERT_TRUE(onlyLoopbackInterfaces()) << "refusing to broadcast outside a private network";
    // Bound to every address of its port, as a receiving station binds it.
    const UniqueFd station = test::udpSocket("0.0.0.0");
    ASSERT_TRUE(station.valid());
    const int port = test::boundPort(station.get());

    // The destination the broadcast entry stands for.
    const SendRequest request = test::sendRequest(QStringLiteral("255.255.255.255:u"), 1, port, 300);
    EXPECT_TRUE(test::runSend(request, SettingsStore()).ended);
    EXPECT_EQ(test::receiveDatagram(station.get(), 2000), request.datagramPacket);
}

TEST(BroadcastInPrivateNetwork, OneDatagramReachesTheStationsOfTheNetwork)
{
    if (qEnvironmentVariableIsSet(kInsideVariable)) {
        sendAndReceiveTheBroadcast();
        return;
    }
    QProcess probe;
    probe.start(QStringLiteral("unshare"),
                {QStringLiteral("-rn"), QStringLiteral("sh"), QStringLiteral("-c"), QLatin1String(kNetworkSetUp)});
    if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        GTEST_SKIP() << "no private network namespace here (unshare -rn and ip are needed)";

    QProcess inside;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kInsideVariable), QStringLiteral("1"));
    inside.setProcessEnvironment(environment);
    inside.setProcessChannelMode(QProcess::MergedChannels);
    const QString script =
        QLatin1String(kNetworkSetUp) + QStringLiteral(" && exec \"$0\" --gtest_filter=BroadcastInPrivateNetwork.*");
    inside.start(QStringLiteral("unshare"),
                 {QStringLiteral("-rn"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                  QCoreApplication::applicationFilePath()});
    ASSERT_TRUE(inside.waitForFinished(60000));
    const QByteArray output = inside.readAll();
    EXPECT_EQ(inside.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

} // namespace
} // namespace tq
