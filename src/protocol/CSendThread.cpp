#include "protocol/CSendThread.h"

#include "protocol/CTcpSendWorker.h"
#include "protocol/CUdpSendWorker.h"
#include "protocol/SendDestination.h"
#include "protocol/SendLedger.h"
#include "protocol/SendWorkerThread.h"
#include "res/StringTable.h"

#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <condition_variable>
#include <system_error>
#include <thread>
#include <vector>

namespace tq {
namespace {

using Clock = SendLedger::Clock;

// How often a wait for the mail sender looks whether the send was stopped.
constexpr std::chrono::milliseconds kMailStopCheck{50};

// A send runs on a thread of this pool. A thread that has just sent waits a while for the
// next send: sending does not pay for a new thread each time, and on a busy machine a thread
// woken from waiting gets the processor sooner than a brand-new one. The pool is large enough
// that a send never waits for a thread.
class SendThreadPool : public QThreadPool {
public:
    SendThreadPool()
    {
        setMaxThreadCount(1024);
        setExpiryTimeout(60000);
    }
};
Q_GLOBAL_STATIC(SendThreadPool, sendThreads)

int workerThreadsFor(int exchanges)
{
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int wanted = 1 + std::max(0, exchanges - 1) / CSendThread::kExchangesPerExtraThread;
    return std::clamp(std::min(wanted, cores), 1, CSendThread::kMaxWorkerThreads);
}

} // namespace

QString failedDestinationsText(QStringList destinations)
{
    std::sort(destinations.begin(), destinations.end(),
              [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
    return destinations.join(QStringLiteral("\r\n"));
}

CSendThread::CSendThread(SendRequest request, const SettingsStore &settings, SendServices services, QObject *parent)
    : QObject(parent)
    , m_request(std::move(request))
    , m_settings(settings)
    , m_services(std::move(services))
    , m_resolver(m_services.lookup)
    , m_events{[this](const QString &text) { relayStatus(text); },
               [this](SendResultCode code, const QString &text) { reportResult(code, text); }}
{
}

CSendThread::~CSendThread()
{
    stop();
}

// Tells the one who stops a send that its run has ended; shared, so that it outlives the send.
struct SendRunCompletion {
    void signal()
    {
        const std::lock_guard lock(mutex);
        done = true;
        ended.notify_all();
    }
    void wait()
    {
        std::unique_lock lock(mutex);
        ended.wait(lock, [this] { return done; });
    }

    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
};

void CSendThread::start()
{
    if (m_ledger)
        return;
    m_ledger = std::make_unique<SendLedger>(Clock::now() + std::chrono::milliseconds(std::max(0, m_request.budgetMs)));
    m_completion = std::make_shared<SendRunCompletion>();
    const auto body = [this, completion = m_completion] {
        run();
        m_finished = true;
        Q_EMIT finished();
        completion->signal(); // the last touch: the send may be deleted from here on
    };
    if (sendThreads()->tryStart(body))
        return;
    try {
        m_thread = std::jthread(body);
    } catch (const std::system_error &) {
        // No thread to send with: nothing was delivered, and the user is told so.
        const QStringList destinations = splitDestinationList(m_request.destinations);
        if (!destinations.isEmpty())
            reportResult(notDeliveredCode(static_cast<int>(destinations.size())), failedDestinationsText(destinations));
        m_finished = true;
        m_completion->signal();
        QMetaObject::invokeMethod(this, &CSendThread::finished, Qt::QueuedConnection);
    }
}

void CSendThread::stop()
{
    if (m_ledger)
        m_ledger->stop();
    if (m_completion)
        m_completion->wait();
    if (m_thread.joinable())
        m_thread.join();
}

void CSendThread::reportResult(SendResultCode code, const QString &text)
{
    if (!m_request.automaticAnswer && !m_ledger->isStopped())
        Q_EMIT sendResult(code, text);
}

void CSendThread::reportOutcome(SendResultCode code, const QString &text, bool last)
{
    // The status line must not change after the outcome is shown there.
    flushStatus(last);
    reportResult(code, text);
}

void CSendThread::relayStatus(const QString &text)
{
    {
        const std::lock_guard lock(m_statusMutex);
        if (m_statusClosed)
            return;
        m_latestStatus = text;
        m_statusPending = true;
        if (m_statusHandover)
            return;
        m_statusHandover = true;
    }
    QMetaObject::invokeMethod(this, &CSendThread::showStatus, Qt::QueuedConnection);
}

void CSendThread::showStatus()
{
    QString text;
    {
        const std::lock_guard lock(m_statusMutex);
        if (!m_statusPending) {
            m_statusHandover = false;
            return;
        }
        text = m_latestStatus;
        m_statusPending = false;
    }
    Q_EMIT statusText(text);
    // Texts that come sooner wait and merge into the latest: a send to hundreds of stations
    // would otherwise wake the event loop for every one of them.
    QTimer::singleShot(kStatusIntervalMs, this, &CSendThread::showStatus);
}

void CSendThread::flushStatus(bool last)
{
    QString text;
    bool pending;
    {
        const std::lock_guard lock(m_statusMutex);
        pending = m_statusPending;
        text = m_latestStatus;
        m_statusPending = false;
        m_statusClosed = m_statusClosed || last;
    }
    if (pending)
        Q_EMIT statusText(text);
}

void CSendThread::run()
{
    SendLedger &ledger = *m_ledger;
    QStringList mailAddresses;
    bool anyNetwork = false;
    const QStringList untried = walk(m_settings.get(keys::UseProtocol), mailAddresses, anyNetwork);

    // The mail sender works in a thread of its own while this one carries the exchanges.
    std::unique_ptr<MailSendJob> mailJob;
    if (!mailAddresses.isEmpty() && m_services.mail)
        mailJob =
            m_services.mail(mailAddresses, m_request.plainText, [this](const QString &text) { relayStatus(text); });

    const int exchanges = ledger.queuedCount();
    const int threads = workerThreadsFor(exchanges);
    const int capacity = kMaxOutstanding / threads;
    // Beside a mail, every exchange goes to a worker thread: this one waits for the mail
    // sender, so that its outcome is reported the moment it ends and not only when the last
    // station has answered or the budget has run out.
    const bool waitForMailFirst = mailJob != nullptr && exchanges > 0;
    std::vector<std::unique_ptr<SendWorkerThread>> helpers;
    for (int i = waitForMailFirst ? 0 : 1; i < threads; ++i) {
        auto helper = std::make_unique<SendWorkerThread>(ledger, capacity);
        try {
            helper->start();
            helpers.push_back(std::move(helper));
        } catch (const std::system_error &) {
            break; // fewer threads carry the same exchanges
        }
    }
    const bool last = !(anyNetwork || !untried.isEmpty());
    const bool mailReportedEarly = waitForMailFirst && !helpers.empty();
    if (mailReportedEarly)
        finishMail(mailJob.get(), last);
    else if (exchanges > 0)
        SendWorkerThread::drive(ledger, capacity);
    if (!helpers.empty())
        ledger.waitForAll();

    if (!mailAddresses.isEmpty() && !mailReportedEarly)
        finishMail(mailJob.get(), last);

    if (anyNetwork || !untried.isEmpty()) {
        QStringList failed = ledger.close();
        failed.append(untried);
        if (failed.isEmpty())
            reportOutcome(SendResultCode::Delivered, QString(), true);
        else
            reportOutcome(notDeliveredCode(static_cast<int>(failed.size())), failedDestinationsText(failed), true);
    }
    flushStatus(true);

    ledger.stop();
    for (auto &helper : helpers)
        helper->join();
}

QStringList CSendThread::walk(int useProtocol, QStringList &mailAddresses, bool &anyNetwork)
{
    SendLedger &ledger = *m_ledger;
    const QStringList destinations = splitDestinationList(m_request.destinations);
    for (qsizetype i = 0; i < destinations.size(); ++i) {
        if (Clock::now() > ledger.deadline() || ledger.isStopped())
            return destinations.sliced(i);
        const QString &destination = destinations[i];
        if (const auto address = mailAddressOf(destination)) {
            mailAddresses.append(*address);
            continue;
        }
        anyNetwork = true;
        const int entry = ledger.addPending(destination);
        const auto index = m_request.automaticAnswer ? std::nullopt : std::optional<int>(entry);
        const NetworkTarget target = networkTarget(destination, m_request.tcpPort, m_request.udpPort, useProtocol);
        if (target.transport == SendTransport::Udp)
            ledger.enqueue(std::make_unique<CUdpSendWorker>(ledger, m_events, m_resolver, index, target.host,
                                                            target.port, m_request.datagramPacket));
        else
            ledger.enqueue(std::make_unique<CTcpSendWorker>(ledger, m_events, m_resolver, index, target.host,
                                                            target.port, m_request.streamPacket));
        if (m_request.automaticAnswer)
            break;
    }
    return {};
}

void CSendThread::finishMail(MailSendJob *job, bool last)
{
    if (!job) {
        // No mail sender at hand: the outcome the sender itself would give without a server,
        // or with one it cannot reach. Never a success.
        const QString server = m_settings.get(keys::SMTPServer);
        reportOutcome(SendResultCode::MailFailed,
                      server.isEmpty() ? tqString(Sid::SmtpServerNotSet) : tqString(Sid::SmtpConnectFailed) + server,
                      last);
        return;
    }
    bool ended = false;
    do
        ended = job->waitUntil(std::min(m_ledger->deadline(), Clock::now() + kMailStopCheck));
    while (!ended && !m_ledger->isStopped() && Clock::now() < m_ledger->deadline());
    if (!ended)
        job->cancel();
    // Out of time, the outcome is what the sender had come to: the text of the step it was
    // held up in, or none when the server had accepted every mail and only its farewell was
    // still outstanding.
    const QString error = job->errorText();
    if (error.isEmpty())
        reportOutcome(SendResultCode::MailSent, tqString(Sid::MailSendSuccess), last);
    else
        reportOutcome(SendResultCode::MailFailed, error, last);
}

} // namespace tq
