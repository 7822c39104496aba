#include "ListeningStation.h"
#include "SendTestSupport.h"

#include "protocol/MessagePacket.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::runSend;
using test::sendRequest;
using Station = test::ListeningStation;
using Results = test::SendResults;
using SendTest = test::SendFixture;

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
                     [&](SendResultCode code, const QString &) { events.append(u"result %1"_s.arg(int(code))); });
    task.start();
    ASSERT_TRUE(test::waitUntil([&] { return task.isFinished(); }));
    test::waitUntil([] { return false; }, 3 * CSendThread::kStatusIntervalMs);
    ASSERT_GE(events.size(), 2);
    EXPECT_EQ(events.last(), u"result 11"_s);
    EXPECT_EQ(events.count(u"result 11"_s), 1);
}

TEST_F(SendTest, UdpDestinationsGoAsOneDatagramToTheirPortAndUseProtocolForcesTheTransport)
{
    test::UdpSink named, byDefault;
    const SendRequest request = sendRequest(u"127.0.0.1:%1u;Bob/127.0.0.1:u"_s.arg(named.port()), 1, byDefault.port());
    EXPECT_EQ(runSend(request, settings).results, Results({{0, QString()}}));
    EXPECT_EQ(named.receive(), request.datagramPacket);
    EXPECT_EQ(byDefault.receive(), request.datagramPacket);

    // "UseProtocol" 1: UDP to the TCP port number.
    test::UdpSink tcpNumber;
    settings.set(keys::UseProtocol, 1);
    const SendRequest forced = sendRequest(u"127.0.0.1"_s, tcpNumber.port(), byDefault.port());
    EXPECT_EQ(runSend(forced, settings).results, Results({{0, QString()}}));
    EXPECT_EQ(tcpNumber.receive(), forced.datagramPacket);
    EXPECT_TRUE(byDefault.receive(100).isEmpty());

    // "UseProtocol" 0: TCP even where the address asks for UDP.
    Station station;
    settings.set(keys::UseProtocol, 0);
    EXPECT_EQ(runSend(sendRequest(u"127.0.0.1:%1u"_s.arg(station.port()), 1, 1), settings).results,
              Results({{0, QString()}}));
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
    const auto outcome =
        runSend(sendRequest(u"Bob/station-b.test;Carl/station-c.test:7000"_s, station.port(), 1), settings, services);
    EXPECT_EQ(outcome.results, Results({{11, u"Carl/station-c.test:7000"_s}}));
    EXPECT_EQ(station.packets.size(), 1);
}

TEST_F(SendTest, SeveralSendsAtOnceReportEachOnTheirOwn)
{
    Station station;
    const int refused = test::unusedTcpPort();
    const QStringList lists{u"localhost:%1"_s.arg(station.port()),
                            u"127.0.0.2:%1;127.0.0.1:%2"_s.arg(station.port()).arg(refused),
                            u"Bob/127.0.0.3:%1;Carl/127.0.0.4:%1"_s.arg(station.port())};
    std::vector<std::unique_ptr<CSendThread>> tasks;
    std::vector<Results> results(lists.size());
    QObject context;
    for (qsizetype i = 0; i < lists.size(); ++i) {
        tasks.push_back(std::make_unique<CSendThread>(sendRequest(lists[i], 1, 1), settings));
        QObject::connect(
            tasks.back().get(), &CSendThread::sendResult, &context,
            [&results, i](SendResultCode code, const QString &text) { results[i].emplace_back(int(code), text); });
    }
    for (auto &task : tasks)
        task->start();
    ASSERT_TRUE(test::waitUntil(
        [&] { return std::all_of(tasks.begin(), tasks.end(), [](auto &task) { return task->isFinished(); }); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(results[0], Results({{0, QString()}})) << "the system resolver knows localhost";
    EXPECT_EQ(results[1], Results({{11, u"127.0.0.1:%1"_s.arg(refused)}}));
    EXPECT_EQ(results[2], Results({{0, QString()}}));
    EXPECT_EQ(station.packets.size(), 4);
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
