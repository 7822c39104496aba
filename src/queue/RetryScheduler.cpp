#include "queue/RetryScheduler.h"

#include "platform/WakeupEvent.h"
#include "queue/QueueDeliverer.h"

#include <QDir>

namespace tq {
namespace {

constexpr int kRefreshDelayMs = 200;
// "RetryInterval" is taken between a second and a day: a message should not wait days
// between two tries.
constexpr int kLongestIntervalSeconds = 24 * 3600;
// One attempt waits as long as a send does ("Delay"), but not so briefly that no station
// could answer in time.
constexpr int kShortestBudgetMs = 500;

// What the list of waiting messages shows of an entry.
QString shownState(const QueuedMessage &entry)
{
    return entry.id + QLatin1Char(' ') + QString::number(entry.attempts) + QLatin1Char(' ')
        + entry.lastAttemptAt.toString(Qt::ISODateWithMs) + QLatin1Char(' ')
        + (entry.lastOutcome ? outcomeKey(*entry.lastOutcome) : QString());
}

bool sameShownState(const QList<QueuedMessage> &a, const QList<QueuedMessage> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (shownState(a[i]) != shownState(b[i]))
            return false;
    }
    return true;
}

} // namespace

RetryScheduler::RetryScheduler(const QString &appDataDir, std::shared_ptr<QueueDeliverer> deliverer,
                               SettingsStore settings, QObject *parent)
    : QObject(parent)
    , m_queue(appDataDir)
    , m_undelivered(appDataDir)
    , m_deliverer(std::move(deliverer))
    , m_settings(std::move(settings))
{
    connect(&m_retryTimer, &QTimer::timeout, this, &RetryScheduler::retryDue);
    m_refreshDelay.setSingleShot(true);
    m_refreshDelay.setInterval(kRefreshDelayMs);
    connect(&m_refreshDelay, &QTimer::timeout, this, &RetryScheduler::refresh);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_refreshDelay.start(); });
}

RetryScheduler::~RetryScheduler()
{
    stop();
}

RetryPolicy RetryScheduler::policy() const
{
    RetryPolicy policy;
    policy.intervalSeconds = qBound(1, m_settings.get(keys::RetryInterval), kLongestIntervalSeconds);
    policy.retryDays = qMax(0, m_settings.get(keys::RetryDays));
    policy.budgetMs = qMax(kShortestBudgetMs, m_settings.get(keys::Delay));
    return policy;
}

void RetryScheduler::start()
{
    m_started = true;
    QDir().mkpath(m_queue.folder());
    if (m_watcher.directories().isEmpty())
        m_watcher.addPath(m_queue.folder());
    refresh();
    settingsChanged();
}

void RetryScheduler::stop()
{
    m_started = false;
    m_retryTimer.stop();
    m_pending.clear();
    if (m_stopRound)
        m_stopRound->signal();
    if (m_thread.joinable())
        m_thread.join();
}

void RetryScheduler::settingsChanged()
{
    if (!m_started)
        return;
    m_retryTimer.start(policy().intervalSeconds * 1000);
}

void RetryScheduler::hostReachable(const QString &host)
{
    request({RetryRequest::Kind::Host, host});
}

void RetryScheduler::retryDue()
{
    request({RetryRequest::Kind::Due, {}});
}

void RetryScheduler::retryNow(const QString &id)
{
    request({RetryRequest::Kind::Entry, id});
}

RetryScheduler::CancelResult RetryScheduler::cancel(const QString &id)
{
    QueueClaim::Status status{};
    const std::optional<QueueClaim> claim = m_queue.claim(id, status);
    CancelResult result = CancelResult::Failed;
    if (claim)
        result = m_queue.remove(*claim, id) == 0 ? CancelResult::Cancelled : CancelResult::Failed;
    else if (status == QueueClaim::Status::Busy)
        result = CancelResult::Busy;
    else if (status == QueueClaim::Status::Gone)
        result = CancelResult::Gone;
    refresh();
    return result;
}

void RetryScheduler::refresh()
{
    QList<QueuedMessage> entries = m_queue.entries();
    const bool countDiffers = entries.size() != m_entries.size();
    if (sameShownState(entries, m_entries))
        return;
    m_entries = std::move(entries);
    Q_EMIT entriesChanged();
    if (countDiffers)
        Q_EMIT countChanged(count());
}

void RetryScheduler::request(const RetryRequest &request)
{
    if (!m_started)
        return;
    if (!m_pending.contains(request))
        m_pending.append(request);
    startNextRound();
}

void RetryScheduler::startNextRound()
{
    if (m_thread.joinable() || m_pending.isEmpty())
        return;
    const RetryRequest request = m_pending.takeFirst();
    m_stopRound = std::make_shared<WakeupEvent>();
    const int number = ++m_roundNumber;
    // The thread has copies of everything it touches, and the scheduler waits for it before
    // it goes, so what it posts back always finds the scheduler there.
    m_thread = std::jthread([this, request, queue = m_queue, undelivered = m_undelivered, deliverer = m_deliverer,
                             clock = m_clock, policy = policy(), stop = m_stopRound, number] {
        RetryRound round(queue, *deliverer, undelivered, clock, policy);
        round.run(request, *stop, [this](const RoundEvent &event) {
            QMetaObject::invokeMethod(
                this, [this, event] { roundEvent(event); }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(
            this, [this, number] { roundEnded(number); }, Qt::QueuedConnection);
    });
}

void RetryScheduler::roundEnded(int number)
{
    if (number != m_roundNumber)
        return; // a round that stop() has already waited for
    if (m_thread.joinable())
        m_thread.join();
    m_stopRound.reset();
    refresh();
    Q_EMIT roundFinished();
    startNextRound();
}

void RetryScheduler::roundEvent(const RoundEvent &event)
{
    switch (event.kind) {
    case RoundEvent::Kind::Delivered:
        Q_EMIT delivered(event.text);
        break;
    case RoundEvent::Kind::Expired:
        Q_EMIT notDelivered(event.text);
        break;
    case RoundEvent::Kind::Problem:
        Q_EMIT problem(event.text);
        break;
    case RoundEvent::Kind::Attempted:
        break;
    }
    refresh();
}

} // namespace tq
