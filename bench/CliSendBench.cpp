// The time from process start to exit of "tarquel send" to one station on loopback, beside
// that of a bare Qt Core program, both measured the same way in one run: spawn, wait, read
// the clock. Runs alternate, so that a machine that slows down slows both.
//   bench_cli_send TARQUEL BARE_QT_CORE [RUNS]
#include "addressbook/AddressBookStore.h"
#include "protocol/CReceiveThread.h"
#include "protocol/KeepTicket.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern char **environ;

namespace {

// Milliseconds from spawn to exit; negative when the program failed.
double timedRun(const std::vector<QByteArray> &arguments)
{
    std::vector<char *> argv;
    for (const QByteArray &argument : arguments)
        argv.push_back(const_cast<char *>(argument.constData()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A fresh home on disk, and a runtime folder in memory as a login session has it.
void pointHomeAt(const QString &home, const QString &runtime)
{
    for (const char *folder : {"config", "data"})
        QDir().mkpath(home + u'/' + QLatin1String(folder));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ::setenv("HOME", QFile::encodeName(home).constData(), 1);
    ::setenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/config")).constData(), 1);
    ::setenv("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/data")).constData(), 1);
    ::setenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime).constData(), 1);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TARQUEL BARE_QT_CORE [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 50;
    QTemporaryDir home;
    QTemporaryDir runtime(QFileInfo::exists(QStringLiteral("/dev/shm"))
                              ? QStringLiteral("/dev/shm/tq-bench-XXXXXX")
                              : QDir::tempPath() + QStringLiteral("/tq-bench-XXXXXX"));
    pointHomeAt(home.path(), runtime.path());
    QCoreApplication app(argc, argv);
    // A user who has run the window once: a system name, a full name, an address book.
    tq::SettingsStore settings;
    settings.set(tq::keys::SystemName, QStringLiteral("BENCH"));
    settings.set(tq::keys::FullName, QStringLiteral("Build Server"));
    tq::AddressBookStore(settings).ensureExists();
    std::printf("runtime folder: %s\n", qPrintable(runtime.path()));

    // The station: the real listener, which answers each packet with its length.
    tq::CReceiveThread station(0);
    // The answer goes out once the message is kept; here it is kept as soon as it is read.
    QObject keeper;
    QObject::connect(
        &station, &tq::CReceiveThread::incomingMessage, &keeper,
        [](tq::Transport, const tq::ReceivedData &data) { data.ticket->kept(); }, Qt::DirectConnection);
    station.start();
    while (station.boundPort() == 0)
        QThread::msleep(1);
    const QByteArray destination = "127.0.0.1:" + QByteArray::number(station.boundPort());

    const std::vector<QByteArray> send{argv[1], "send", destination, "-m", "Build 412 broke: see the log."};
    const std::vector<QByteArray> bare{argv[2]};
    std::vector<double> sendTimes;
    std::vector<double> bareTimes;
    for (int i = 0; i < runs; ++i) {
        const double sendMs = timedRun(send);
        const double bareMs = timedRun(bare);
        if (sendMs < 0 || bareMs < 0) {
            std::fprintf(stderr, "a run failed (send %.1f ms, bare %.1f ms)\n", sendMs, bareMs);
            return 1;
        }
        sendTimes.push_back(sendMs);
        bareTimes.push_back(bareMs);
    }
    station.stop();
    const double sendMedian = median(sendTimes);
    const double bareMedian = median(bareTimes);
    std::printf("tarquel send to a loopback station: median %.1f ms of %d runs\n", sendMedian, runs);
    std::printf("bare Qt Core program:               median %.1f ms of %d runs\n", bareMedian, runs);
    std::printf("ratio: %.2f (aim: at most 2)\n", sendMedian / bareMedian);
    return 0;
}
