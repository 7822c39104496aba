#include "SendTestSupport.h"

#include "protocol/CReceiveThread.h"
#include "protocol/MessagePacket.h"
#include "protocol/SendTasks.h"
#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::runSend;
using test::sendRequest;
using Result = std::pair<int, QString>;
using Results = std::vector<Result>;

// A receiving station: the real TCP listener, recording the packets it was handed.
struct Station {
    Station(int port = 0)
        : receiver(port)
    {
        QObject::connect(&receiver, &CReceiveThread::incomingMessage, &context,
                         [this](Transport, const ReceivedData &data) { packets.append(data.data); });
        receiver.start();
        test::waitUntil([this] { return receiver.boundPort() != 0; });
    }
    int port() const { return receiver.boundPort(); }

    QObject context;
    CReceiveThread receiver;
    QList<QByteArray> packets;
};

class SendTest : public test::IsolatedHome {
protected:
    SettingsStore settings;
};

TEST_F(SendTest, TcpDestinationIsDeliveredAndConfirmedWithCodeZero)
{
    Station station;
    const SendRequest request = sendRequest(u"127.0.0.1:%1"_s.arg(station.port()), 1, 1);
    const auto outcome = runSend(request, settings);
    EXPECT_EQ(outcome.results, Results({{0, QString()}}));
    ASSERT_TRUE(test::waitUntil([&] { return station.packets.size() == 1; }));
    EXPECT_EQ(station.packets[0], request.streamPacket);
    EXPECT_EQ(outcome.statuses,
              QStringList({u"Contacting host 127.0.0.1 ..."_s, u"Sending data to 127.0.0.1 ..."_s,
                           u"Verifying data from 127.0.0.1 ..."_s, u"Message has been send successfully!"_s}));
}

TEST_F(SendTest, LongPacketGoesWholeAndMissingPortTakesTheDefault)
{
    Station station;
    SendRequest request = sendRequest(u"Bob/127.0.0.2"_s, station.port(), 1);
    const MessagePacket packet{{}, QByteArray(5000, 'x'), "ANN", '1', {}};
    request.streamPacket = BuildStreamPacket(packet, "127.0.0.1", station.port());
    EXPECT_EQ(runSend(request, settings).results, Results({{0, QString()}}));
    ASSERT_TRUE(test::waitUntil([&] { return station.packets.size() == 1; }));
    EXPECT_EQ(station.packets[0], request.streamPacket);
}

TEST_F(SendTest, PortAbove32768IsUsedAsGiven)
{
    Station station;
    ASSERT_GT(station.port(), 32768) << "the system chose a low port";
    const auto outcome = runSend(sendRequest(u"Bob/127.0.0.3:%1"_s.arg(station.port()), 1, 1), settings);
    EXPECT_EQ(outcome.results, Results({{0, QString()}}));
}

TEST_F(SendTest, UdpDestinationsGoAsOneDatagramToTheirPort)
{
    test::UdpSink named, byDefault;
    ASSERT_TRUE(named.valid() && byDefault.valid());
    const SendRequest request = sendRequest(u"127.0.0.1:%1u;Bob/127.0.0.1:u"_s.arg(named.port()), 1, byDefault.port());
    EXPECT_EQ(runSend(request, settings).results, Results({{0, QString()}}));
    EXPECT_EQ(named.receive(), request.datagramPacket);
    EXPECT_EQ(byDefault.receive(), request.datagramPacket);
}

TEST_F(SendTest, UseProtocolOneSendsUdpToTheTcpPortNumber)
{
    test::UdpSink tcpNumber, udpDefault;
    settings.set(keys::UseProtocol, 1);
    const SendRequest request = sendRequest(u"127.0.0.1"_s, tcpNumber.port(), udpDefault.port());
    EXPECT_EQ(runSend(request, settings).results, Results({{0, QString()}}));
    EXPECT_EQ(tcpNumber.receive(), request.datagramPacket);
    EXPECT_TRUE(udpDefault.receive(100).isEmpty());
}

TEST_F(SendTest, UseProtocolZeroSendsUdpAddressesOverTcp)
{
    Station station;
    settings.set(keys::UseProtocol, 0);
    const auto outcome = runSend(sendRequest(u"127.0.0.1:%1u"_s.arg(station.port()), 1, 1), settings);
    EXPECT_EQ(outcome.results, Results({{0, QString()}}));
    EXPECT_TRUE(test::waitUntil([&] { return station.packets.size() == 1; }));
}

TEST_F(SendTest, NamesAreLookedUpAndUnknownOnesAreListed)
{
    Station station;
    SendServices services;
    services.lookup = [](const QByteArray &name) -> std::optional<std::uint32_t> {
        if (name == "station-b.test")
            return inet_addr("127.0.0.2");
        return std::nullopt;
    };
    const auto outcome
        = runSend(sendRequest(u"Bob/station-b.test;Carl/station-c.test:7000"_s, station.port(), 1), settings, services);
    EXPECT_EQ(outcome.results, Results({{11, u"Carl/station-c.test:7000"_s}}));
    EXPECT_EQ(station.packets.size(), 1);
}

TEST_F(SendTest, SystemResolverKnowsLocalhostAndNoReservedName)
{
    Station station;
    const auto outcome = runSend(sendRequest(u"localhost:%1;Bob/nohost.invalid"_s.arg(station.port()), 1, 1), settings);
    EXPECT_EQ(outcome.results, Results({{11, u"Bob/nohost.invalid"_s}}));
}

TEST_F(SendTest, SeveralSendsAtOnceReportEachOnTheirOwn)
{
    Station first, second;
    const int refused = test::unusedTcpPort();
    CSendThread a(sendRequest(u"127.0.0.1:%1"_s.arg(first.port()), 1, 1), settings);
    CSendThread b(sendRequest(u"127.0.0.1:%1;127.0.0.1:%2"_s.arg(second.port()).arg(refused), 1, 1), settings);
    CSendThread c(sendRequest(u"127.0.0.2:%1;127.0.0.3:%1"_s.arg(first.port()), 1, 1), settings);
    QObject context;
    Results resultsA, resultsB, resultsC;
    QObject::connect(&a, &CSendThread::sendResult, &context,
                     [&](int k, const QString &t) { resultsA.emplace_back(k, t); });
    QObject::connect(&b, &CSendThread::sendResult, &context,
                     [&](int k, const QString &t) { resultsB.emplace_back(k, t); });
    QObject::connect(&c, &CSendThread::sendResult, &context,
                     [&](int k, const QString &t) { resultsC.emplace_back(k, t); });
    a.start();
    b.start();
    c.start();
    ASSERT_TRUE(test::waitUntil([&] { return !resultsA.empty() && !resultsB.empty() && !resultsC.empty(); }));
    ASSERT_TRUE(test::waitUntil([&] { return a.isFinished() && b.isFinished() && c.isFinished(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(resultsA, Results({{0, QString()}}));
    EXPECT_EQ(resultsB, Results({{11, u"127.0.0.1:%1"_s.arg(refused)}}));
    EXPECT_EQ(resultsC, Results({{0, QString()}}));
    EXPECT_EQ(first.packets.size(), 3);
}

TEST_F(SendTest, SendTasksStartsFromTextsAndSettingsAndForgetsEndedSends)
{
    Station station;
    settings.set(keys::TcpPort, station.port());
    settings.set(keys::SystemName, u"ANN-PC"_s);
    SendTasks tasks(settings);
    QObject context;
    Results results;
    QObject::connect(&tasks, &SendTasks::sendResult, &context,
                     [&](int code, const QString &text) { results.emplace_back(code, text); });
    tasks.start(u"Bob/127.0.0.1"_s, "Message from Ann to Bob.\r\n\r\nHi", "Hi", "127.0.0.9");
    tasks.start(u"Carl/127.0.0.2"_s, "Message from Ann to Carl.\r\n\r\nHo", "Ho", "127.0.0.9");
    ASSERT_TRUE(test::waitUntil([&] { return results.size() == 2 && tasks.runningCount() == 0; }));
    EXPECT_EQ(results, Results({{0, QString()}, {0, QString()}}));
    ASSERT_TRUE(test::waitUntil([&] { return station.packets.size() == 2; }));
    QList<QByteArray> texts;
    for (const QByteArray &data : station.packets) {
        const ParsedPacket parsed = ParseStreamPacket(data);
        EXPECT_EQ(parsed.systemName, "ANN-PC");
        EXPECT_EQ(parsed.replyAddress, "127.0.0.9:" + QByteArray::number(station.port()));
        texts.append(parsed.text);
    }
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, QList<QByteArray>({"Message from Ann to Bob.\r\n\r\nHi", "Message from Ann to Carl.\r\n\r\nHo"}));
}

TEST_F(SendTest, AutomaticAnswerGoesToOneDestinationAndReportsNothing)
{
    Station station;
    SendRequest request = sendRequest(u"Bob/127.0.0.1:%1;127.0.0.2:%1"_s.arg(station.port()), 1, 1);
    request.automaticAnswer = true;
    EXPECT_TRUE(runSend(request, settings).results.empty());
    ASSERT_TRUE(test::waitUntil([&] { return station.packets.size() == 1; }));

    test::RawStation wrongLength(test::RawStation::Mode::Answer, "1");
    request.destinations = u"127.0.0.1:%1"_s.arg(wrongLength.port());
    const auto outcome = runSend(request, settings);
    EXPECT_TRUE(outcome.results.empty());
    EXPECT_TRUE(outcome.statuses.contains(u"Possible error during sent!"_s));
}

} // namespace
} // namespace tq
