#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tq {

class RetryScheduler;

// The "Waiting Messages" window: the messages kept for delivery later, with where each goes,
// its first line, since when it waits and how its last attempt ended. The user can cancel
// one or have it tried at once. It follows the queue as it changes.
class WaitingMessagesWindow : public QWidget {
    Q_OBJECT
public:
    enum Column { DestinationColumn, MessageColumn, QueuedColumn, LastAttemptColumn, ResultColumn, ColumnCount };

    // `scheduler` must outlive the window.
    explicit WaitingMessagesWindow(RetryScheduler &scheduler, QWidget *parent = nullptr);

    // The id of the selected entry; empty when none is.
    QString selectedId() const;

private:
    void fill();
    void updateButtons();
    void cancelSelected();
    void retrySelected();

    RetryScheduler &m_scheduler;
    QTreeWidget *m_list = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_retryButton = nullptr;
};

} // namespace tq
