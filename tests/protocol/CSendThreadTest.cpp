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
    Station()
        : receiver(0)
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

TEST_F(SendTest, TcpDestinationIsDeliveredWholeAndConfirmedWithCodeZero)
{
    Station station;
    ASSERT_GT(station.port(), 32768) << "the system chose a low port"; // such ports were once refused
    SendRequest request = sendRequest(u"127.0.0.1:%1"_s.arg(station.port()), 1, 1);
    request.streamPacket = BuildStreamPacket({{}, QByteArray(5000, 'x'), "ANN", '1', {}}, "127.0.0.1", 1);
    const auto outcome = runSend(request, settings);
    EXPECT_EQ(outcome.results, Results({{0, QString()}}));
    ASSERT_TRUE(test::waitUntil([&] { return station.packets.size() == 1; }));
    EXPECT_EQ(station.packets[0], request.streamPacket);
    // Texts that follow one another quicker than the event loop takes them merge into the
    // latest; those shown keep their order, and the last one stays.
    const QStringList steps{u"Contacting host 127.0.0.1 ..."_s, u"Sending data to 127.0.0.1 ..."_s,
                            u"Verifying data from 127.0.0.1 ..."_s, u"Message has been send successfully!"_s};
    ASSERT_FALSE(outcome.statuses.isEmpty());
    EXPECT_EQ(outcome.statuses.last(), steps.last());
    qsizetype step = 0;
    for (const QString &status : outcome.statuses) {
        while (step < steps.size() && steps[step] != status)
            ++step;
        EXPECT_LT(step, steps.size()) << status.toStdString();
    }
}

TEST_F(SendTest, StatusLineDoesNotChangeAfterTheOutcome)
{
    Station station;
    QStringList destinations{u"127.0.0.1:%1"_s.arg(test::unusedTcpPort())};
    for (int i = 0; i < 40; ++i)
        destinations.append(u"Station %1/127.0.0.1:%2"_s.arg(i).arg(station.port()));
    CSendThread task(sendRequest(destinations.join(u';'), 1, 1), settings);
    QObject context;
    QStringList events;
    QObject::connect(&task, &CSendThread::statusText, &context, [&](const QString &text) { events.append(text); });
    QObject::connect(&task, &CSendThread::sendResult, &context,
                     [&](int code, const QString &) { events.append(u"result %1"_s.arg(code)); });
    task.start();
    ASSERT_TRUE(test::waitUntil([&] { return task.isFinished(); }));
    test::waitUntil([] { return false; }, 3 * CSendThread::kStatusIntervalMs);
    ASSERT_GE(events.size(), 2);
    EXPECT_EQ(events.last(), u"result 11"_s);
    EXPECT_EQ(events.count(u"result 11"_s), 1);
}

TEST_F(SendTest, UdpDestinationsGoAsOneDatagramToTheirPort)
{
    test::UdpSink named, byDefault;
    const SendRequest request = sendRequest(u"127.0.0.1:%1u;Bob/127.0.0.1:u"_s.arg(named.port()), 1, byDefault.port());
    EXPECT_EQ(runSend(request, settings).results, Results({{0, QString()}}));
    EXPECT_EQ(named.receive(), request.datagramPacket);
    EXPECT_EQ(byDefault.receive(), request.datagramPacket);
}

TEST_F(SendTest, UseProtocolOneSendsUdpToTheTcpPortNumberAndZeroSendsTcp)
{
    test::UdpSink tcpNumber, udpDefault;
    settings.set(keys::UseProtocol, 1);
    const SendRequest request = sendRequest(u"127.0.0.1"_s, tcpNumber.port(), udpDefault.port());
    EXPECT_EQ(runSend(request, settings).results, Results({{0, QString()}}));
    EXPECT_EQ(tcpNumber.receive(), request.datagramPacket);
    EXPECT_TRUE(udpDefault.receive(100).isEmpty());

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
    // No port: the default TCP port, here the station's.
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
    Station station;
    const int refused = test::unusedTcpPort();
    const QStringList lists{u"127.0.0.1:%1"_s.arg(station.port()),
                            u"127.0.0.2:%1;127.0.0.1:%2"_s.arg(station.port()).arg(refused),
                            u"Bob/127.0.0.3:%1;Carl/127.0.0.4:%1"_s.arg(station.port())};
    std::vector<std::unique_ptr<CSendThread>> tasks;
    std::vector<Results> results(lists.size());
    QObject context;
    for (qsizetype i = 0; i < lists.size(); ++i) {
        tasks.push_back(std::make_unique<CSendThread>(sendRequest(lists[i], 1, 1), settings));
        QObject::connect(tasks.back().get(), &CSendThread::sendResult, &context,
                         [&results, i](int code, const QString &text) { results[i].emplace_back(code, text); });
    }
    for (auto &task : tasks)
        task->start();
    ASSERT_TRUE(test::waitUntil(
        [&] { return std::all_of(tasks.begin(), tasks.end(), [](auto &task) { return task->isFinished(); }); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(results[0], Results({{0, QString()}}));
    EXPECT_EQ(results[1], Results({{11, u"127.0.0.1:%1"_s.arg(refused)}}));
    EXPECT_EQ(results[2], Results({{0, QString()}}));
    EXPECT_EQ(station.packets.size(), 4);
}

TEST_F(SendTest, SendTasksBuildsThePacketFromTheSettingsAndForgetsEndedSends)
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
    tasks.start(u"Carl/127.0.0.2"_s, "Message from Ann to Carl.\r\n\r\nHi", "Hi", "127.0.0.9");
    ASSERT_TRUE(test::waitUntil([&] { return results.size() == 2 && tasks.runningCount() == 0; }));
    EXPECT_EQ(results, Results({{0, QString()}, {0, QString()}}));
    ASSERT_TRUE(test::waitUntil([&] { return station.packets.size() == 2; }));
    const ParsedPacket parsed = ParseStreamPacket(station.packets[0]);
    EXPECT_EQ(parsed.systemName, "ANN-PC");
    EXPECT_EQ(parsed.replyAddress, "127.0.0.9:" + QByteArray::number(station.port()));
    EXPECT_TRUE(parsed.text.startsWith("Message from Ann to "));
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
    EXPECT_EQ(outcome.statuses.last(), u"Possible error during sent!"_s);
}

} // namespace
} // namespace tq
