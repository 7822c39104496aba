#pragma once

#include "mail/MailCheckRequest.h"

#include <QDialog>
#include <QTimer>

#include <chrono>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tq {

class CCheckMailThread;
class MailAnnouncer;
class MailCounts;

// The small window of a mailbox check run on the user's demand: a progress bar, the step the
// check is at, the outcome of the first mailbox while the second is checked, and a button that
// breaks the check off (Cancel) or closes the window once it has ended (OK).
class CMailCheckDlg : public QDialog {
    Q_OBJECT
public:
    // The check starts when the window is first shown; the tray learns its outcome through
    // `announcer`.
    CMailCheckDlg(const MailCheckRequest &request, MailAnnouncer &announcer, MailCounts &counts,
                  QWidget *owner = nullptr);
    ~CMailCheckDlg() override;

    void setSocketTimeout(std::chrono::milliseconds timeout) { m_socketTimeout = timeout; }

    // Closing the window by any way ends the check at once.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void startCheck();
    void onProgress(int mailbox, int step);
    void onCheckFinished();
    void finishSteps();
    void advanceBar(int by);

    const MailCheckRequest m_request;
    MailAnnouncer &m_announcer;
    MailCounts &m_counts;
    std::chrono::milliseconds m_socketTimeout;
    std::unique_ptr<CCheckMailThread> m_check;
    QLabel *m_statusLine = nullptr;
    QLabel *m_previousLine = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_button = nullptr;
    QTimer m_stepTimer;
};

} // namespace tq
