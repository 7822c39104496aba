// The station without a window ("tarquel receive") beside the window's station: the same
// loopback cases against both, then what only the program on its own does (signals, the lock
// of the window program, a busy port, its readable form, the waiting messages).
#include "TarquelProcess.h"

#include "app/SingleInstance.h"
#include "messages/AnswerFile.h"
#include "messages/KillWordFilter.h"
#include "messages/MessageTextForms.h"
#include "protocol/CReceiveThread.h"
#include "protocol/CUDPReceiveThread.h"
#include "protocol/ListeningStation.h"
#include "protocol/MessagePacket.h"
#include "queue/DeliveryQueue.h"
#include "settings/SettingsStore.h"
#include "station/MessageStation.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/ManualClock.h"
#include "support/PrivateNetwork.h"
#include "support/RecordingSoundPlayer.h"
#include "support/SignalWaiter.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::waitUntil;

// A station under test: started on given ports with the user's settings, it reports each
// message it accepted as the JSON form of "tarquel receive --json" gives it.
class StationUnderTest {
public:
    virtual ~StationUnderTest() = default;
    virtual bool start(int tcpPort, int udpPort) = 0;
    virtual QList<QJsonObject> accepted() = 0;
    // Ends the station; its exit status.
    virtual int stop() = 0;
};

// The window's station, as the main frame runs it.
class WindowStation : public StationUnderTest {
public:
    explicit WindowStation(QString dataDir)
        : m_dataDir(std::move(dataDir))
    {
    }

    bool start(int tcpPort, int udpPort) override
    {
        m_station = std::make_unique<MessageStation>(m_settings, m_sound, m_clock, m_dataDir);
        QObject::connect(m_station.get(), &MessageStation::messageArrivedBy, m_station.get(),
                         [this](Transport transport, const MessageRecord &record) {
                             m_arrivals.append({record.serial, transport});
                         });
        m_station->overrideListenPorts(tcpPort, udpPort);
        m_station->loadStoredMessages();
        m_station->StartProcesses();
        return waitUntil([this] {
            return m_station->tcpReceiver()->boundPort() != 0 && m_station->udpReceiver()->boundPort() != 0;
        });
    }

    QList<QJsonObject> accepted() override
    {
        QCoreApplication::processEvents();
        m_station->flushFiles();
        QList<QJsonObject> objects;
        for (const auto &[serial, transport] : m_arrivals) {
            for (const MessageRecord &record : m_station->messages()) {
                if (record.serial != serial)
                    continue;
                QJsonObject object = messageJson(record, QDateTime::currentDateTime());
                object.insert(u"transport"_s, transport == Transport::Udp ? u"udp"_s : u"tcp"_s);
                objects.append(object);
            }
        }
        return objects;
    }

    int stop() override
    {
        m_station.reset();
        return 0;
    }

private:
    SettingsStore m_settings;
    test::RecordingSoundPlayer m_sound;
    test::ManualClock m_clock;
    QString m_dataDir;
    std::unique_ptr<MessageStation> m_station;
    QList<std::pair<quint64, Transport>> m_arrivals;
};

// "tarquel receive --json", the program on its own.
class HeadlessStation : public StationUnderTest {
public:
    explicit HeadlessStation(QStringList extraArguments = {u"--json"_s})
        : m_extraArguments(std::move(extraArguments))
    {
    }
    ~HeadlessStation() override
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    bool start(int tcpPort, int udpPort) override
    {
        m_process.start(QStringLiteral(TQ_TARQUEL_PROGRAM),
                        QStringList{u"receive"_s, u"--tcp-port"_s, QString::number(tcpPort), u"--udp-port"_s,
                                    QString::number(udpPort)}
                            + m_extraArguments);
        const QString tcpListening = u"TCP port %1 listening"_s.arg(tcpPort);
        const QString udpListening = u"UDP port %1 listening"_s.arg(udpPort);
        return waitUntil(
                   [&] {
                       readOutput();
                       return (m_err.contains(tcpListening) && m_err.contains(udpListening))
                           || m_process.state() == QProcess::NotRunning;
                   },
                   10000)
            && m_process.state() == QProcess::Running;
    }

    QList<QJsonObject> accepted() override
    {
        readOutput();
        QList<QJsonObject> objects;
        for (const QString &line : m_out.split(u'\n', Qt::SkipEmptyParts))
            objects.append(QJsonDocument::fromJson(line.toUtf8()).object());
        return objects;
    }

    int stop() override { return endWith(SIGTERM); }

    // Sends the signal while the program runs; its exit status either way.
    int endWith(int signalNumber)
    {
        // A process that has ended has no id: the signal would go to this test's own group.
        if (m_process.state() == QProcess::Running && m_process.processId() > 0)
            ::kill(static_cast<pid_t>(m_process.processId()), signalNumber);
        if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(10000))
            return -1;
        readOutput();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    const QString &out() const { return m_out; }
    const QString &err() const { return m_err; }

private:
    void readOutput()
    {
        m_out += QString::fromUtf8(m_process.readAllStandardOutput());
        m_err += QString::fromUtf8(m_process.readAllStandardError());
    }

    QStringList m_extraArguments;
    QProcess m_process;
    QString m_out;
    QString m_err;
};

enum class Kind { Window, Headless };

class ReceivingStation : public test::IsolatedHome {
protected:
    ReceivingStation()
    {
        settings.set(keys::SystemName, u"BOB"_s);
        settings.set(keys::TcpPort, tcpPort);
        settings.set(keys::UdpPort, udpPort);
        settings.set(keys::StoreAndLoad, 1);
        settings.set(keys::RecvNMessages, 1);
    }

    bool sendStream(const QByteArray &name, const QByteArray &text, const char *from = "127.0.0.2")
    {
        const QByteArray packet = BuildStreamPacket({{}, text, name, '0', {}}, from, 7777);
        return test::exchangeServingEvents(from, tcpPort, packet) == QByteArray::number(packet.size());
    }
    static QStringList textsOf(const QList<QJsonObject> &accepted)
    {
        QStringList texts;
        for (const QJsonObject &message : accepted)
            texts.append(message.value(u"text"_s).toString());
        return texts;
    }
    QString messagesDir() const { return appDataDir() + u"messages/"_s; }

    SettingsStore settings;
    const int tcpPort = test::unusedTcpPort();
    const int udpPort = test::unusedUdpPort();
};

class BothStations : public ReceivingStation, public ::testing::WithParamInterface<Kind> {
protected:
    BothStations()
    {
        if (GetParam() == Kind::Window)
            station = std::make_unique<WindowStation>(appDataDir());
        else
            station = std::make_unique<HeadlessStation>();
    }

    std::unique_ptr<StationUnderTest> station;
};

TEST_P(BothStations, MessagesOfBothRoadsAreAcknowledgedStoredAndReported)
{
    ASSERT_TRUE(station->start(tcpPort, udpPort));
    EXPECT_TRUE(sendStream("ANN", "Message from Ann to Bob.\r\n\r\nover TCP"));
    const UniqueFd carl = test::udpSocket("127.0.0.3");
    ASSERT_TRUE(carl.valid());
    ASSERT_TRUE(
        test::sendDatagram(carl.get(), udpPort,
                           BuildDatagramPacket({{}, "Message from Carl to Bob.\r\n\r\nover UDP", "CARL", '1', {}},
                                               "127.0.0.3", test::boundPort(carl.get()))));
    ASSERT_TRUE(waitUntil([this] { return station->accepted().size() == 2; }));
    // The datagram's sender learns that it arrived.
    EXPECT_TRUE(isDeliveryReceipt(test::receiveDatagramServingEvents(carl.get())));
    const QList<QJsonObject> accepted = station->accepted();
    EXPECT_EQ(accepted.at(0).value(u"sender"_s).toString(), u"ANN/127.0.0.2:7777"_s);
    EXPECT_EQ(accepted.at(0).value(u"transport"_s).toString(), u"tcp"_s);
    EXPECT_EQ(accepted.at(0).value(u"importance"_s).toString(), u"normal"_s);
    EXPECT_EQ(accepted.at(0).value(u"text"_s).toString(), u"Message from Ann to Bob.\n\nover TCP"_s);
    EXPECT_EQ(accepted.at(1).value(u"sender"_s).toString(), u"CARL/127.0.0.3:%1u"_s.arg(test::boundPort(carl.get())));
    EXPECT_EQ(accepted.at(1).value(u"transport"_s).toString(), u"udp"_s);
    EXPECT_EQ(accepted.at(1).value(u"importance"_s).toString(), u"high"_s);
    for (const QJsonObject &message : accepted) {
        const QString file = message.value(u"file"_s).toString();
        EXPECT_TRUE(file.startsWith(messagesDir())) << file.toStdString();
        EXPECT_TRUE(
            test::readFile(file).endsWith(message.value(u"text"_s).toString().replace(u"\n"_s, u"\r\n"_s).toUtf8()));
    }
    EXPECT_EQ(station->stop(), 0);
    EXPECT_EQ(QDir(messagesDir()).entryList(QDir::Files).size(), 2);
}

TEST_P(BothStations, FiltersKeepOutWhatTheWindowKeepsOut)
{
    ASSERT_TRUE(test::writeFile(killFilePath(appDataDir()), "lottery, free money"));
    ASSERT_TRUE(station->start(tcpPort, udpPort));
    EXPECT_TRUE(sendStream("SPAM", "Message from X to Bob.\r\n\r\nYou won the lottery!"));
    EXPECT_TRUE(sendStream("ANN", "Message from Ann to Bob.\r\n\r\nonce"));
    EXPECT_TRUE(sendStream("ANN", "Message from Ann to Bob.\r\n\r\nonce"));
    // The identification probe is acknowledged and neither shown nor stored.
    EXPECT_FALSE(test::exchangeServingEvents("127.0.0.1", tcpPort,
                                             QByteArray(kProbeKeyword.data(), kProbeKeyword.size()) + "/$7")
                     .isEmpty());
    EXPECT_TRUE(sendStream("ANN", "Message from Ann to Bob.\r\n\r\nlast"));

    ASSERT_TRUE(
        waitUntil([this] { return textsOf(station->accepted()).contains(u"Message from Ann to Bob.\n\nlast"_s); }));
    EXPECT_EQ(textsOf(station->accepted()),
              (QStringList{u"Message from Ann to Bob.\n\nonce"_s, u"Message from Ann to Bob.\n\nlast"_s}));
    EXPECT_EQ(station->stop(), 0);
    EXPECT_EQ(QDir(messagesDir()).entryList(QDir::Files).size(), 2);
    EXPECT_TRUE(test::readFile(deadFileName(settings, appDataDir())).contains("You won the lottery!"));
}

INSTANTIATE_TEST_SUITE_P(, BothStations, ::testing::Values(Kind::Window, Kind::Headless),
                         [](const ::testing::TestParamInfo<Kind> &kind) {
                             return kind.param == Kind::Window ? "WindowStation" : "TarquelReceive";
                         });

class TarquelReceive : public ReceivingStation { };

TEST_F(TarquelReceive, EachTerminationSignalEndsItWithEveryMessageWritten)
{
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        HeadlessStation station;
        ASSERT_TRUE(station.start(tcpPort, udpPort));
        const QByteArray text = "Message from Ann to Bob.\r\n\r\nsignal " + QByteArray::number(signalNumber);
        ASSERT_TRUE(sendStream("ANN", text));
        // At once: the message was acknowledged, so it must be kept.
        EXPECT_EQ(station.endWith(signalNumber), 0) << station.err().toStdString();
        const QList<QJsonObject> accepted = station.accepted();
        ASSERT_EQ(accepted.size(), 1) << station.out().toStdString();
        EXPECT_TRUE(test::readFile(accepted.first().value(u"file"_s).toString()).endsWith(text));
    }
}

TEST_F(TarquelReceive, ReadableFormKeepsControlCharactersOffTheTerminal)
{
    HeadlessStation station(QStringList{});
    ASSERT_TRUE(station.start(tcpPort, udpPort));
    ASSERT_TRUE(sendStream("ANN", "Message from Ann to Bob.\r\n\r\nred \x1b[31malert"));
    ASSERT_TRUE(waitUntil([&station] {
        station.accepted(); // reads what came
        return station.out().contains(u"alert"_s);
    }));
    EXPECT_EQ(station.stop(), 0);
    EXPECT_TRUE(
        station.out().contains(u"\nFrom: ANN/127.0.0.2:7777\nMessage from Ann to Bob.\n\nred \uFFFD[31malert\n"_s))
        << station.out().toStdString();
    EXPECT_FALSE(station.out().contains(u'\x1b'));
}

TEST_F(TarquelReceive, AutoAnswerWithoutAnAnswerIsBadUsage)
{
    HeadlessStation station({u"--auto-answer"_s});
    EXPECT_FALSE(station.start(tcpPort, udpPort));
    EXPECT_EQ(station.endWith(SIGTERM), 2);
    EXPECT_TRUE(station.err().contains(u"--auto-answer: there is no automatic answer yet"_s))
        << station.err().toStdString();
}

// A station never answers one on its own machine, so Ann is another host: a network of its own.
TEST_F(TarquelReceive, AutoAnswerAnswersTheSenderWithTheWindowsAnswerText)
{
    if (!test::insidePrivateNetwork()) {
        const auto run =
            test::runInPrivateNetwork(u"ip link set lo up && ip addr add 10.99.0.2/24 dev lo"_s,
                                      u"TarquelReceive.AutoAnswerAnswersTheSenderWithTheWindowsAnswerText"_s);
        if (!run.available)
            GTEST_SKIP() << run.output.toStdString();
        EXPECT_TRUE(run.passed) << run.output.toStdString();
        return;
    }
    ASSERT_TRUE(test::writeFile(answerFilePath(appDataDir()), "Back on Monday.\r\n"));
    test::ListeningStation ann;
    HeadlessStation station({u"--auto-answer"_s, u"--json"_s});
    ASSERT_TRUE(station.start(tcpPort, udpPort));
    const QByteArray packet =
        BuildStreamPacket({{}, "Message from Ann to Bob.\r\n\r\nlunch?", "ANN", '0', {}}, "10.99.0.2", ann.port());
    ASSERT_EQ(test::exchangeServingEvents("10.99.0.2", tcpPort, packet), QByteArray::number(packet.size()));
    ASSERT_TRUE(waitUntil([&ann] { return !ann.packets.isEmpty(); })) << station.err().toStdString();
    EXPECT_TRUE(ann.packets.first().startsWith("/$0Autoanswer from ")) << ann.packets.first().toStdString();
    EXPECT_TRUE(ann.packets.first().contains("Back on Monday.")) << ann.packets.first().toStdString();
    EXPECT_EQ(station.stop(), 0);
}

TEST_F(TarquelReceive, RefusesWhileTheWindowProgramRunsForTheUser)
{
    // The window program's own claim to be the one per user.
    SingleInstance windowProgram;
    ASSERT_TRUE(windowProgram.claim());
    HeadlessStation station;
    EXPECT_FALSE(station.start(tcpPort, udpPort));
    EXPECT_EQ(station.endWith(SIGTERM), 2);
    EXPECT_TRUE(station.err().contains(u"already runs for this user"_s)) << station.err().toStdString();
    // Nothing listens: the window program keeps the ports.
    EXPECT_FALSE(sendStream("ANN", "Message from Ann to Bob.\r\n\r\nhello?"));
}

TEST_F(TarquelReceive, ABusyPortIsReportedWithTheReceiversOwnText)
{
    test::ListeningStation other;
    HeadlessStation station;
    EXPECT_FALSE(station.start(other.port(), udpPort));
    EXPECT_EQ(station.endWith(SIGTERM), 2);
    EXPECT_TRUE(station.err().contains(u"TCP port %1 is busy! Receiving don't possibly!"_s.arg(other.port())))
        << station.err().toStdString();
}

TEST_F(TarquelReceive, DeliversWhatSendLaterKeepsWhileItRunsOnce)
{
    // A round every second: what is kept is tried within a second or so.
    settings.set(keys::RetryInterval, 1);
    HeadlessStation station;
    ASSERT_TRUE(station.start(tcpPort, udpPort));
    const int carlPort = test::unusedTcpPort();
    const QString carl = u"127.0.0.1:%1"_s.arg(carlPort);
    const test::TarquelRun send = test::runTarquel({u"send"_s, carl, u"-m"_s, u"see you later"_s, u"--later"_s});
    ASSERT_EQ(send.exitCode, 1) << send.err.toStdString();
    ASSERT_EQ(DeliveryQueue(appDataDir()).entries().size(), 1);

    test::ListeningStation carlStation(carlPort);
    ASSERT_EQ(carlStation.port(), carlPort);
    ASSERT_TRUE(waitUntil(
        [&] {
            station.accepted(); // reads what it said
            return station.err().contains(u"Delivered to "_s + carl);
        },
        15000))
        << station.err().toStdString();
    ASSERT_EQ(carlStation.packets.size(), 1);
    EXPECT_TRUE(carlStation.packets[0].contains("see you later"));
    EXPECT_TRUE(DeliveryQueue(appDataDir()).entries().isEmpty());
    EXPECT_FALSE(waitUntil([&] { return carlStation.packets.size() > 1; }, 2500)) << "delivered once";
    EXPECT_TRUE(station.accepted().isEmpty()) << "a delivery is no message received";
    EXPECT_EQ(station.stop(), 0);
}

} // namespace
} // namespace tq
