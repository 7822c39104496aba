#include "queue/WaitingMessagesWindow.h"

#include "queue/RetryScheduler.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tq {
namespace {

constexpr int kIdRole = Qt::UserRole;

QString localTime(const QDateTime &time)
{
    return time.isValid() ? QLocale::system().toString(time.toLocalTime(), QLocale::ShortFormat) : QString();
}

QPushButton *makeButton(const QString &text, const char *objectName, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(objectName));
    return button;
}

} // namespace

WaitingMessagesWindow::WaitingMessagesWindow(RetryScheduler &scheduler, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_scheduler(scheduler)
{
    setObjectName(QStringLiteral("waitingMessagesWindow"));
    setWindowTitle(tr("Waiting Messages"));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("waitingList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({tr("Destination"), tr("Message"), tr("Queued since"), tr("Last attempt"), tr("Result")});
    m_list->header()->setStretchLastSection(true);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusText"));
    m_status->setTextFormat(Qt::PlainText);

    m_cancelButton = makeButton(tr("&Cancel"), "cancelButton", this);
    m_retryButton = makeButton(tr("&Retry now"), "retryButton", this);
    auto *closeButton = makeButton(tr("Close"), "closeButton", this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_retryButton);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(m_cancelButton, &QPushButton::clicked, this, &WaitingMessagesWindow::cancelSelected);
    connect(m_retryButton, &QPushButton::clicked, this, &WaitingMessagesWindow::retrySelected);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &WaitingMessagesWindow::updateButtons);
    connect(&m_scheduler, &RetryScheduler::entriesChanged, this, &WaitingMessagesWindow::fill);

    resize(640, 280);
    fill();
}

QString WaitingMessagesWindow::selectedId() const
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(0, kIdRole).toString();
}

void WaitingMessagesWindow::fill()
{
    const QString selected = selectedId();
    m_list->clear();
    for (const QueuedMessage &entry : m_scheduler.entries()) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setData(0, kIdRole, entry.id);
        item->setText(DestinationColumn, entry.destination);
        item->setText(MessageColumn, entry.firstLine());
        item->setText(QueuedColumn, localTime(entry.queuedAt));
        item->setText(LastAttemptColumn, localTime(entry.lastAttemptAt));
        item->setText(ResultColumn, entry.lastOutcome ? outcomeText(*entry.lastOutcome) : QString());
        if (entry.id == selected)
            item->setSelected(true);
    }
    if (m_list->topLevelItemCount() == 0)
        m_status->setText(tr("No message is waiting."));
    else
        m_status->setText(tr("%n message(s) waiting.", nullptr, m_list->topLevelItemCount()));
    updateButtons();
}

void WaitingMessagesWindow::updateButtons()
{
    const bool any = !selectedId().isEmpty();
    m_cancelButton->setEnabled(any);
    m_retryButton->setEnabled(any);
}

void WaitingMessagesWindow::cancelSelected()
{
    const QString id = selectedId();
    if (id.isEmpty())
        return;
    switch (m_scheduler.cancel(id)) {
    case RetryScheduler::CancelResult::Cancelled:
    case RetryScheduler::CancelResult::Gone:
        break;
    case RetryScheduler::CancelResult::Busy:
        m_status->setText(tr("This message is being delivered right now."));
        break;
    case RetryScheduler::CancelResult::Failed:
        m_status->setText(tr("This message could not be cancelled: its file cannot be removed."));
        break;
    }
}

void WaitingMessagesWindow::retrySelected()
{
    const QString id = selectedId();
    if (id.isEmpty())
        return;
    m_scheduler.retryNow(id);
    m_status->setText(tr("Trying again..."));
}

} // namespace tq
