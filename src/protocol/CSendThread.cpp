#include "protocol/CSendThread.h"

#include "protocol/CTcpSendWorker.h"
#include "protocol/CUdpSendWorker.h"
#include "protocol/SendDestination.h"
#include "protocol/SendLedger.h"
#include "res/StringTable.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace tq {
namespace {

using Clock = SendLedger::Clock;

// How often a wait for the mail sender looks whether the send was stopped.
constexpr std::chrono::milliseconds kMailStopCheck{50};

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
{
}

CSendThread::~CSendThread()
{
    stop();
}

void CSendThread::start()
{
    if (m_ledger)
        return;
    m_ledger = std::make_unique<SendLedger>(Clock::now() + std::chrono::milliseconds(std::max(0, m_request.budgetMs)));
    m_thread = std::jthread([this] {
        run();
        m_finished = true;
        Q_EMIT finished();
    });
}

void CSendThread::stop()
{
    if (m_ledger)
        m_ledger->stop();
    if (m_thread.joinable())
        m_thread.join();
}

void CSendThread::run()
{
    SendLedger &ledger = *m_ledger;
    const bool reports = !m_request.automaticAnswer;
    const SendEvents events{
        [this](const QString &text) { Q_EMIT statusText(text); },
        [this, reports](int code, const QString &text) {
            if (reports)
                Q_EMIT sendResult(code, text);
        },
    };
    const HostResolver resolver(m_services.lookup);
    const int useProtocol = m_settings.get(keys::UseProtocol);
    const QStringList destinations = splitDestinationList(m_request.destinations);

    std::vector<std::unique_ptr<CSocketThread>> workers;
    QStringList mailAddresses;
    QStringList untried;
    bool anyNetwork = false;
    for (qsizetype i = 0; i < destinations.size(); ++i) {
        if (Clock::now() > ledger.deadline() || ledger.isStopped()) {
            untried = destinations.sliced(i);
            break;
        }
        const QString &destination = destinations[i];
        if (const auto address = mailAddressOf(destination)) {
            mailAddresses.append(*address);
            continue;
        }
        anyNetwork = true;
        const int entry = ledger.addPending(destination);
        const std::optional<int> index = reports ? std::optional<int>(entry) : std::nullopt;
        const NetworkTarget target = networkTarget(destination, m_request.tcpPort, m_request.udpPort, useProtocol);
        std::unique_ptr<CSocketThread> worker;
        if (target.transport == SendTransport::Udp)
            worker = std::make_unique<CUdpSendWorker>(ledger, events, resolver, index, target.host, target.port,
                                                      m_request.datagramPacket);
        else
            worker = std::make_unique<CTcpSendWorker>(ledger, events, resolver, index, target.host, target.port,
                                                      m_request.streamPacket);
        ledger.workerStarting();
        try {
            worker->start();
            workers.push_back(std::move(worker));
        } catch (const std::system_error &) {
            ledger.workerEnded(); // no thread to be had: the destination stays pending
        }
        if (m_request.automaticAnswer)
            break;
        ledger.waitForFewerThan(kMaxOutstanding);
    }

    if (!mailAddresses.isEmpty())
        sendMail(mailAddresses);

    if (anyNetwork || !untried.isEmpty()) {
        ledger.waitForAll();
        QStringList failed = ledger.close();
        failed.append(untried);
        if (reports && !ledger.isStopped()) {
            if (failed.isEmpty())
                Q_EMIT sendResult(0, QString());
            else
                Q_EMIT sendResult(10 + static_cast<int>(failed.size()), failedDestinationsText(failed));
        }
    }

    ledger.stop();
    for (auto &worker : workers)
        worker->join();
}

void CSendThread::sendMail(const QStringList &addresses)
{
    const bool reports = !m_request.automaticAnswer;
    const auto report = [&](int code, const QString &text) {
        if (reports && !m_ledger->isStopped())
            Q_EMIT sendResult(code, text);
    };
    if (!m_services.mail) {
        const QString server = m_settings.get(keys::SMTPServer);
        report(6, server.isEmpty() ? tqString(Sid::SendNoSmtpServer) : tqString(Sid::SendSmtpUnreachable) + server);
        return;
    }
    const auto job
        = m_services.mail(addresses, m_request.plainText, [this](const QString &text) { Q_EMIT statusText(text); });
    if (!job) {
        report(6, tqString(Sid::SendSmtpUnreachable) + m_settings.get(keys::SMTPServer));
        return;
    }
    bool ended = false;
    do
        ended = job->waitUntil(std::min(m_ledger->deadline(), Clock::now() + kMailStopCheck));
    while (!ended && !m_ledger->isStopped() && Clock::now() < m_ledger->deadline());
    if (ended && job->errorText().isEmpty()) {
        report(5, tqString(Sid::SendMailOk));
        return;
    }
    if (!ended)
        job->cancel();
    // Out of time is a failure even when the sender had no words for it yet.
    const QString error = job->errorText();
    report(6, !error.isEmpty() ? error : tqString(Sid::SendSmtpUnreachable) + m_settings.get(keys::SMTPServer));
}

} // namespace tq
