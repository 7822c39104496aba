// A second process on the same queue, for the tests: it queues without end (to be killed
// in the middle of a write), holds a claim until it is killed, delivers for a while, or
// keeps retrying as a running station does until SIGTERM ends it the way it ends the program.
//   tq_queue_helper fill APPDATA PORT
//   tq_queue_helper claim APPDATA ID
//   tq_queue_helper deliver APPDATA SETTINGS SECONDS
//   tq_queue_helper keep APPDATA SETTINGS
#include "QueueTestSupport.h"

#include "platform/TerminationSignals.h"
#include "queue/DeliveryQueue.h"
#include "queue/NetworkDeliverer.h"
#include "queue/ReceiptBoard.h"
#include "queue/RetryScheduler.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

void say(const char *line)
{
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

[[noreturn]] void waitToBeKilled()
{
    while (true)
        ::pause();
}

int fill(const QString &appDataDir, int port)
{
    const tq::DeliveryQueue queue(appDataDir);
    // Large entries, so that a kill lands inside a write more often than not.
    const QByteArray body(60000, 'x');
    for (int n = 0;; ++n) {
        tq::QueuedMessage entry = tq::test::waitingMessage(QStringLiteral("Bob/127.0.0.1"), tq::SendTransport::Tcp,
                                                           port, QByteArray::number(n) + "\r\n" + body);
        if (queue.add(entry).ok())
            say("queued");
    }
}

int claim(const QString &appDataDir, const QString &id)
{
    tq::QueueClaim::Status status{};
    const std::optional<tq::QueueClaim> claimed = tq::DeliveryQueue(appDataDir).claim(id, status);
    if (!claimed)
        return 1;
    say("claimed");
    waitToBeKilled();
}

int deliver(const QString &appDataDir, const QString &settingsFile, int seconds)
{
    tq::RetryScheduler scheduler(appDataDir,
                                 std::make_shared<tq::NetworkDeliverer>(std::make_shared<tq::ReceiptBoard>()),
                                 tq::SettingsStore(settingsFile));
    QObject context;
    QObject::connect(&scheduler, &tq::RetryScheduler::delivered, &context, [] { say("delivered"); });
    scheduler.start();
    scheduler.retryDue();
    say("ready");
    QTimer::singleShot(seconds * 1000, &context, [] { QCoreApplication::quit(); });
    return QCoreApplication::exec();
}

// Says "tried" after each round; SIGTERM ends it cleanly, as it ends the station.
int keep(const QString &appDataDir, const QString &settingsFile)
{
    tq::RetryScheduler scheduler(appDataDir,
                                 std::make_shared<tq::NetworkDeliverer>(std::make_shared<tq::ReceiptBoard>()),
                                 tq::SettingsStore(settingsFile));
    tq::TerminationSignals termination;
    QObject context;
    QObject::connect(&scheduler, &tq::RetryScheduler::roundFinished, &context, [] { say("tried"); });
    QObject::connect(&termination, &tq::TerminationSignals::terminationRequested, &context,
                     [] { QCoreApplication::quit(); });
    scheduler.start();
    scheduler.retryDue();
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString mode = arguments.value(1);
    if (mode == QLatin1String("fill") && arguments.size() == 4)
        return fill(arguments[2], arguments[3].toInt());
    if (mode == QLatin1String("claim") && arguments.size() == 4)
        return claim(arguments[2], arguments[3]);
    if (mode == QLatin1String("deliver") && arguments.size() == 5)
        return deliver(arguments[2], arguments[3], arguments[4].toInt());
    if (mode == QLatin1String("keep") && arguments.size() == 4)
        return keep(arguments[2], arguments[3]);
    std::fputs("usage: tq_queue_helper fill|claim|deliver|keep ...\n", stderr);
    return 2;
}
