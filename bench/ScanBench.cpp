// The scan of an address range where no station is, two ways side by side in one run:
//  - the probe run as "tarquel scan" runs it (256 exchanges at once, 1.5 s each);
//  - bare non-blocking connects from one poll loop, with the same bounds.
// Two kinds of empty network, both only on loopback in a network namespace of this program's
// own (scripts/bench makes it):
//  - refused: 10.99.0.0/20 is local to lo and nothing listens, so every connect is refused
//    at once;
//  - silent: 10.98.0.0/20 is routed onto lo but belongs to nobody, so every connect waits
//    for its time-out.
#include "protocol/Ipv4Range.h"
#include "protocol/ProbeRun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkInterface>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPort = 7777;
constexpr double kRatioAim = 1.3;

// The same bounds as the scan, without the probe: connect, wait for the outcome, close.
void bareConnects(const QList<std::uint32_t> &addresses, int concurrency, int timeoutMs)
{
    struct Attempt {
        int fd;
        qint64 deadline;
    };
    QElapsedTimer clock;
    clock.start();
    std::vector<Attempt> attempts;
    std::vector<pollfd> fds;
    qsizetype next = 0;
    while (next < addresses.size() || !attempts.empty()) {
        while (static_cast<int>(attempts.size()) < concurrency && next < addresses.size()) {
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            sockaddr_in target{};
            target.sin_family = AF_INET;
            target.sin_port = htons(kPort);
            target.sin_addr.s_addr = htonl(addresses[next++]);
            if (::connect(fd, reinterpret_cast<const sockaddr *>(&target), sizeof target) == 0 || errno != EINPROGRESS)
                ::close(fd);
            else
                attempts.push_back({fd, clock.elapsed() + timeoutMs});
        }
        if (attempts.empty())
            continue;
        fds.clear();
        qint64 earliest = attempts.front().deadline;
        for (const Attempt &attempt : attempts) {
            fds.push_back({attempt.fd, POLLOUT, 0});
            earliest = std::min(earliest, attempt.deadline);
        }
        ::poll(fds.data(), fds.size(), static_cast<int>(std::max<qint64>(0, earliest - clock.elapsed())));
        const qint64 now = clock.elapsed();
        for (std::size_t i = 0; i < attempts.size(); ++i) {
            if (fds[i].revents || attempts[i].deadline <= now) {
                int error = 0;
                socklen_t length = sizeof error;
                ::getsockopt(attempts[i].fd, SOL_SOCKET, SO_ERROR, &error, &length);
                ::close(attempts[i].fd);
                attempts[i].fd = -1;
            }
        }
        std::erase_if(attempts, [](const Attempt &attempt) { return attempt.fd < 0; });
    }
}

// Returns how many addresses answered as a station (none should).
int scan(const QList<std::uint32_t> &addresses)
{
    QList<tq::ProbeTarget> targets;
    targets.reserve(addresses.size());
    for (const std::uint32_t address : addresses)
        targets.append({tq::Ipv4Range::dotted(address), kPort});
    int reachable = 0;
    tq::ProbeRun(targets, tq::ProbeOptions::forScan()).run([&reachable](const tq::ProbeResult &result) {
        reachable += result.outcome == tq::ProbeOutcome::Reachable;
    });
    return reachable;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Figures {
    double referenceMs;
    double scanMs;
    bool stationFound;
};

// Alternates which way goes first; medians of `rounds`.
Figures measure(const QList<std::uint32_t> &addresses, int rounds)
{
    const tq::ProbeOptions options = tq::ProbeOptions::forScan();
    std::vector<double> referenceMs, scanMs;
    bool stationFound = false;
    for (int round = 0; round < rounds; ++round) {
        for (int leg = 0; leg < 2; ++leg) {
            QElapsedTimer timer;
            timer.start();
            if ((leg == 0) == (round % 2 == 0)) {
                bareConnects(addresses, options.concurrency, options.timeoutMs);
                referenceMs.push_back(timer.nsecsElapsed() / 1e6);
            } else {
                stationFound = scan(addresses) > 0 || stationFound;
                scanMs.push_back(timer.nsecsElapsed() / 1e6);
            }
        }
    }
    return {median(referenceMs), median(scanMs), stationFound};
}

bool report(const char *range, const QList<std::uint32_t> &addresses, int rounds, double limitMs)
{
    const Figures figures = measure(addresses, rounds);
    const double ratio = figures.scanMs / figures.referenceMs;
    const bool inTime = figures.scanMs < limitMs;
    const bool ok = inTime && ratio <= kRatioAim && !figures.stationFound;
    std::printf("  %-14s %5lld addresses, %d round(s): bare connects %9.1f ms, scan %9.1f ms, ratio %.2f "
                "(aim: at most %.1f); under %.0f s: %s%s\n",
                range, static_cast<long long>(addresses.size()), rounds, figures.referenceMs, figures.scanMs, ratio,
                kRatioAim, limitMs / 1000, inTime ? "yes" : "NO", figures.stationFound ? "; A STATION ANSWERED" : "");
    return ok;
}

bool onlyLoopback()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    return std::all_of(interfaces.begin(), interfaces.end(),
                       [](const QNetworkInterface &i) { return i.type() == QNetworkInterface::Loopback; });
}

QList<std::uint32_t> addressesOf(const char *range)
{
    return tq::Ipv4Range::parse(QString::fromLatin1(range)).addresses();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (!onlyLoopback()) {
        std::fprintf(stderr,
                     "bench_scan probes whole ranges: it runs only in a network namespace of its own "
                     "(scripts/bench starts it in one)\n");
        return 2;
    }
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
    // Arguments: rounds of the refused ranges; "quick" leaves out the silent /20 (24 s each way).
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const bool quick = argc > 2 && QByteArrayView(argv[2]) == "quick";

    bool ok = true;
    std::printf("refused (every connect refused at once):\n");
    ok = report("10.99.0.0/24", addressesOf("10.99.0.0/24"), rounds, 2000) && ok;
    ok = report("10.99.0.0/20", addressesOf("10.99.0.0/20"), rounds, 30000) && ok;
    std::printf("silent (every connect waits for its time-out of %d ms):\n", tq::ProbeOptions::forScan().timeoutMs);
    ok = report("10.98.0.0/24", addressesOf("10.98.0.0/24"), 1, 2000) && ok;
    if (!quick)
        ok = report("10.98.0.0/20", addressesOf("10.98.0.0/20"), 1, 30000) && ok;
    return ok ? 0 : 1;
}
