#pragma once

#include "mail/CCheckMailThread.h"
#include "mail/MailAnnouncer.h"
#include "mail/MailCounts.h"
#include "mail/RecordingMailTray.h"
#include "support/RecordingSoundPlayer.h"
#include "support/SignalWaiter.h"

#include <QList>
#include <QObject>

#include <utility>

namespace tq::test {

// Runs mailbox checks to their end as the user interface would see them: the tray and sounds
// recorded, the progress steps in order.
class MailCheckRecorder {
public:
    // True when the check ended within `timeoutMs`.
    bool check(const MailCheckRequest &request, std::chrono::milliseconds socketTimeout = std::chrono::seconds(10),
               int timeoutMs = 30000)
    {
        steps.clear();
        CCheckMailThread thread(request, counts);
        thread.setSocketTimeout(socketTimeout);
        bool ended = false;
        QObject context;
        QObject::connect(&thread, &CCheckMailThread::errorIconRemoved, &context,
                         [this] { announcer.removeErrorIcon(); });
        QObject::connect(&thread, &CCheckMailThread::mailState, &context,
                         [this](auto &&...state) { announcer.AnnounceMailState(state...); });
        QObject::connect(&thread, &CCheckMailThread::progress, &context, [this](int mailbox, int step) {
            steps.append({mailbox, step});
        });
        QObject::connect(&thread, &CCheckMailThread::finished, &context, [&ended] { ended = true; });
        thread.start();
        return waitUntil([&ended] { return ended; }, timeoutMs);
    }

    QList<int> stepsOf(int mailbox) const
    {
        QList<int> result;
        for (const auto &[box, step] : steps) {
            if (box == mailbox)
                result.append(step);
        }
        return result;
    }

    RecordingMailTray tray;
    RecordingSoundPlayer sound;
    MailAnnouncer announcer{tray, sound};
    MailCounts counts;
    QList<std::pair<int, int>> steps;
};

} // namespace tq::test
