// Messages per second through the whole incoming road of the station (TCP listener, handler,
// message file, list, counters), without any window, against the bare TCP listener in the
// same run. Files are on, the sound is off, the home folder is fresh. The clients send as fast
// as they are answered, and a message is answered once its file is on disk: with the flush,
// once the file and its folder are flushed to the disk (what the program does), and without
// it, for comparison. The disk's own rate of creating files is measured last, as the bound of
// those figures.
#include "BenchSupport.h"

#include "platform/Clock.h"
#include "platform/SoundPlayer.h"
#include "protocol/CReceiveThread.h"
#include "protocol/KeepTicket.h"
#include "protocol/MessagePacket.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"
#include "station/MessageStation.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

namespace {

using namespace tq::bench;

struct Run {
    long answered = 0;
    long failed = 0;
    double handledSeconds = 0; // until the event loop had handled the last answered message
    double seconds = 0; // until the work left after that was done as well
    double rate() const { return seconds > 0 ? answered / seconds : 0; }
    double handledRate() const { return handledSeconds > 0 ? answered / handledSeconds : 0; }
};

// Clients send for `seconds`; `handled` counts what the event loop has finished with, and
// `finish` waits for whatever work is still outstanding after that.
Run drive(int port, int seconds, int clients, const std::atomic<long> &handled, const std::function<void()> &finish)
{
    std::atomic<bool> stop{false};
    std::atomic<long> answered{0};
    std::atomic<long> failed{0};
    std::atomic<int> finishedClients{0};
    std::vector<std::thread> workers;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < clients; ++i) {
        workers.emplace_back([&, i] {
            // Several senders, each with its own name, as on a real network.
            const QByteArray name = "SENDER" + QByteArray::number(i);
            QByteArray text = "Message from " + name + " to Bob.\r\n\r\n";
            text.append(900, 'x');
            long sequence = 0;
            while (!stop) {
                const QByteArray packet = tq::BuildStreamPacket(
                    {{}, text + QByteArray::number(sequence++), name, '0', "a@example.org"}, "127.0.0.1", 7777);
                (exchange(port, packet) ? answered : failed)++;
            }
            ++finishedClients;
        });
    }
    while (timer.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    stop = true;
    // The last answers come once the station has kept those messages: its events go on.
    while (finishedClients < clients)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    for (auto &worker : workers)
        worker.join();
    while (handled < answered)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const double handledSeconds = timer.elapsed() / 1000.0;
    finish();
    return {answered.load(), failed.load(), handledSeconds, timer.elapsed() / 1000.0};
}

// How many 1 KiB files a second the disk creates in one folder, one after the other: the
// bound for storing one file per message.
double fileCreationRate(const QString &folder, int count)
{
    QDir().mkpath(folder);
    const QByteArray content(1000, 'x');
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        const QByteArray path = QFile::encodeName(folder + QStringLiteral("/%1.tqm").arg(i, 13, 10, QLatin1Char('0')));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0)
            return 0;
        [[maybe_unused]] const auto written = ::write(fd, content.constData(), content.size());
        ::close(fd);
    }
    return count / (timer.nsecsElapsed() / 1e9);
}

} // namespace

int main(int argc, char *argv[])
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 3;
    const int clients = argc > 2 ? std::atoi(argv[2]) : 4;

    char home[] = "/tmp/tq-incoming-bench-XXXXXX";
    if (!::mkdtemp(home))
        return 2;
    const QByteArray homePath(home);
    ::setenv("HOME", home, 1);
    ::setenv("XDG_CONFIG_HOME", (homePath + "/config").constData(), 1);
    ::setenv("XDG_DATA_HOME", (homePath + "/data").constData(), 1);
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tarquel International"));
    QCoreApplication::setApplicationName(QStringLiteral("TarquelMessenger"));
    tq::AppDataDir::initialise();

    // The bare listener, handing every packet to the event loop and nothing more.
    Run bare;
    {
        tq::CReceiveThread listener(0);
        std::atomic<long> handed{0};
        QObject::connect(&listener, &tq::CReceiveThread::incomingMessage, &app,
                         [&](tq::Transport, const tq::ReceivedData &) { ++handed; });
        // Kept the moment it is handed over, on the listener's thread: the listener alone.
        QObject::connect(
            &listener, &tq::CReceiveThread::incomingMessage, &app,
            [](tq::Transport, const tq::ReceivedData &data) { data.ticket->kept(); }, Qt::DirectConnection);
        listener.start();
        while (listener.boundPort() == 0)
            QThread::msleep(1);
        bare = drive(listener.boundPort(), seconds, clients, handed, [] {});
        listener.stop();
    }

    // The whole road into the station, with and without the flush.
    const auto runRoad = [&](bool flush, const QString &subfolder, long &stored) {
        Run road;
        tq::SettingsStore settings;
        settings.set(tq::keys::UseProtocol, 0);
        settings.set(tq::keys::StoreAndLoad, 1);
        settings.set(tq::keys::EnableSound, 0);
        settings.set(tq::keys::SystemName, QStringLiteral("BOB"));
        SilentSound sound;
        const QString dataDir = tq::AppDataDir::path() + subfolder;
        QDir().mkpath(dataDir + QStringLiteral("messages"));
        tq::MessageStation station(settings, sound, tq::steadyClock(), dataDir);
        station.setFlushToDisk(flush);
        station.overrideListenPorts(0, 0);
        station.StartProcesses();
        station.loadStoredMessages();
        while (!station.tcpReceiver() || station.tcpReceiver()->boundPort() == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // Connected after the station: this runs once the station has handled the same message.
        std::atomic<long> handled{0};
        QObject::connect(station.tcpReceiver(), &tq::CReceiveThread::incomingMessage, &app,
                         [&](tq::Transport, const tq::ReceivedData &) { ++handled; });
        // The road ends when the last message file is on disk.
        road = drive(station.tcpReceiver()->boundPort(), seconds, clients, handled, [&] { station.flushFiles(); });
        stored = QDir(dataDir + QStringLiteral("messages")).entryList(QDir::Files).size();
        station.StopProcesses();
        return road;
    };
    long stored = 0;
    long storedUnflushed = 0;
    const Run road = runRoad(true, QStringLiteral("flushed/"), stored);
    const Run unflushed = runRoad(false, QStringLiteral("unflushed/"), storedUnflushed);
    const double diskRate = fileCreationRate(QString::fromLocal8Bit(homePath) + QStringLiteral("/disk"), 10000);
    QDir(QString::fromLocal8Bit(homePath)).removeRecursively();

    std::printf("bare listener: %ld messages in %.2f s with %d clients = %.0f messages/s (%ld failed)\n", bare.answered,
                bare.seconds, clients, bare.rate(), bare.failed);
    const auto print = [&](const char *name, const Run &run, long files) {
        std::printf("%s: %ld messages (%ld failed) with %d clients: handled by the station in %.2f s = %.0f "
                    "messages/s; all %ld files on disk after %.2f s = %.0f messages/s\n",
                    name, run.answered, run.failed, clients, run.handledSeconds, run.handledRate(), files, run.seconds,
                    run.rate());
    };
    print("incoming road, flushed to the disk", road, stored);
    print("incoming road, without the flush", unflushed, storedUnflushed);
    std::printf("this disk alone: %.0f files/s created one after the other in one folder\n", diskRate);
    const auto percent = [&](const Run &run) { return bare.rate() > 0 ? run.rate() / bare.rate() * 100 : 0; };
    std::printf("incoming road with files / bare listener = %.0f%% flushed, %.0f%% without the flush (aim: at least "
                "2,000 messages/s and 40%% with the flush)\n",
                percent(road), percent(unflushed));
    return bare.failed == 0 && road.failed == 0 && unflushed.failed == 0 && stored == road.answered
            && storedUnflushed == unflushed.answered
        ? 0
        : 1;
}
