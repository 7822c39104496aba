#include "mail/BackgroundMailCheck.h"

#include "mail/CCheckMailThread.h"
#include "mail/MailAnnouncer.h"

#include <algorithm>
#include <limits>

namespace tq {

BackgroundMailCheck::BackgroundMailCheck(SettingsStore settings, MailAnnouncer &announcer, MailCounts &counts,
                                         QObject *parent)
    : QObject(parent)
    , m_settings(std::move(settings))
    , m_announcer(announcer)
    , m_counts(counts)
    , m_socketTimeout(CCheckMailThread::kSocketTimeout)
{
    connect(&m_timer, &QTimer::timeout, this, &BackgroundMailCheck::checkNow);
}

BackgroundMailCheck::~BackgroundMailCheck()
{
    stop();
}

void BackgroundMailCheck::start(const MailSettingsCache &cache, int minutes)
{
    // A stored interval of 0 or less would make the timer fire without pause.
    constexpr int kMaxMinutes = std::numeric_limits<int>::max() / 60000;
    m_cache = cache;
    checkNow();
    m_timer.start(std::chrono::minutes(std::clamp(minutes, 1, kMaxMinutes)));
}

void BackgroundMailCheck::stop()
{
    m_timer.stop();
    if (m_check) {
        m_check->cancel();
        m_check.reset();
    }
}

bool BackgroundMailCheck::checkNow()
{
    if (m_check)
        return false;
    m_check = std::make_unique<CCheckMailThread>(backgroundCheckRequest(m_cache, m_settings), m_counts);
    m_check->setSocketTimeout(m_socketTimeout);
    CCheckMailThread *check = m_check.get();
    announceChecks(*check, m_announcer, this);
    connect(check, &CCheckMailThread::finished, this, &BackgroundMailCheck::onCheckFinished);
    check->start();
    return true;
}

void BackgroundMailCheck::onCheckFinished()
{
    // A check cancelled by stop() may still have its end in the queue; only the running one counts.
    if (!m_check || !m_check->hasEnded())
        return;
    m_check.reset();
    Q_EMIT checkFinished();
}

} // namespace tq
