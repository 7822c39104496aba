#include "history/HistoryWindow.h"

#include "addressbook/ReplyDestination.h"
#include "history/HistoryExport.h"
#include "history/HistoryTableModel.h"
#include "messages/DisplayText.h"
#include "messages/MessageFiles.h"
#include "messages/MessageTextForms.h"
#include "messages/QuoteMessage.h"
#include "platform/Prompter.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace tq {
namespace {

// While the index is being built or changes, the list follows it this often at most.
constexpr int kRefreshPauseMs = 300;

QPushButton *makeButton(const QString &text, const char *objectName, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(objectName));
    button->setEnabled(false);
    return button;
}

} // namespace

HistoryWindow::HistoryWindow(HistoryIndex &index, const SettingsStore &settings, Prompter &prompter, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_index(index)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_model(new HistoryTableModel(this))
{
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(tr("History"));

    m_storingOffNotice = new QLabel(tr("There are no stored messages: keeping received messages in files is "
                                       "switched off.\nSwitch it on in the Preferences (Interface) to keep the "
                                       "messages that arrive from then on."),
                                    this);
    m_storingOffNotice->setObjectName(QStringLiteral("storingOffNotice"));
    m_storingOffNotice->setTextFormat(Qt::PlainText);
    m_storingOffNotice->setAlignment(Qt::AlignCenter);
    m_storingOffNotice->setWordWrap(true);

    m_pages = new QStackedWidget(this);
    m_pages->addWidget(makeListPage());
    m_pages->addWidget(m_storingOffNotice);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);

    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(kTypingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &HistoryWindow::runSearch);
    m_refreshPause.setSingleShot(true);
    connect(&m_refreshPause, &QTimer::timeout, this, &HistoryWindow::runSearch);
    connect(&m_index, &HistoryIndex::changed, this, &HistoryWindow::scheduleRefresh);
    connect(&m_index, &HistoryIndex::buildFinished, this, &HistoryWindow::scheduleRefresh);
    connect(&m_searcher, &HistorySearcher::found, this, &HistoryWindow::showResult);
    resize(760, 560);
}

HistoryWindow::~HistoryWindow() = default;

QWidget *HistoryWindow::makeFilterRow()
{
    auto *row = new QWidget(this);
    m_searchField = new QLineEdit(row);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setPlaceholderText(tr("Search words"));
    m_searchField->setClearButtonEnabled(true);
    m_senderField = new QLineEdit(row);
    m_senderField->setObjectName(QStringLiteral("senderField"));
    m_senderField->setPlaceholderText(tr("Sender"));
    m_senderField->setClearButtonEnabled(true);

    const QDate today = QDate::currentDate();
    m_sinceCheck = new QCheckBox(tr("Since"), row);
    m_sinceCheck->setObjectName(QStringLiteral("sinceCheck"));
    m_sinceDate = new QDateEdit(today, row);
    m_sinceDate->setObjectName(QStringLiteral("sinceDate"));
    m_untilCheck = new QCheckBox(tr("Until"), row);
    m_untilCheck->setObjectName(QStringLiteral("untilCheck"));
    m_untilDate = new QDateEdit(today, row);
    m_untilDate->setObjectName(QStringLiteral("untilDate"));
    for (QDateEdit *date : {m_sinceDate, m_untilDate}) {
        date->setCalendarPopup(true);
        date->setEnabled(false);
        connect(date, &QDateEdit::dateChanged, this, &HistoryWindow::scheduleSearch);
    }
    connect(m_sinceCheck, &QCheckBox::toggled, m_sinceDate, &QWidget::setEnabled);
    connect(m_untilCheck, &QCheckBox::toggled, m_untilDate, &QWidget::setEnabled);
    connect(m_sinceCheck, &QCheckBox::toggled, this, &HistoryWindow::scheduleSearch);
    connect(m_untilCheck, &QCheckBox::toggled, this, &HistoryWindow::scheduleSearch);
    connect(m_searchField, &QLineEdit::textChanged, this, &HistoryWindow::scheduleSearch);
    connect(m_senderField, &QLineEdit::textChanged, this, &HistoryWindow::scheduleSearch);

    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_searchField, 3);
    layout->addWidget(m_senderField, 1);
    layout->addWidget(m_sinceCheck);
    layout->addWidget(m_sinceDate);
    layout->addWidget(m_untilCheck);
    layout->addWidget(m_untilDate);
    return row;
}

QWidget *HistoryWindow::makeListPage()
{
    m_listPage = new QWidget(this);
    m_table = new QTableView(m_listPage);
    m_table->setObjectName(QStringLiteral("historyTable"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    // Fixed row heights and column widths: nothing is measured row by row, however many rows.
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(HistoryTableModel::ArrivalColumn, 150);
    m_table->setColumnWidth(HistoryTableModel::SenderColumn, 170);
    m_table->setColumnWidth(HistoryTableModel::ImportanceColumn, 80);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &HistoryWindow::showSelected);

    m_messagePane = new QPlainTextEdit(m_listPage);
    m_messagePane->setObjectName(QStringLiteral("messagePane"));
    m_messagePane->setReadOnly(true);

    auto *splitter = new QSplitter(Qt::Vertical, m_listPage);
    splitter->addWidget(m_table);
    splitter->addWidget(m_messagePane);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    m_replyButton = makeButton(tr("&Reply"), "replyButton", m_listPage);
    m_copyButton = makeButton(tr("&Copy"), "copyButton", m_listPage);
    m_deleteButton = makeButton(tr("&Delete"), "deleteButton", m_listPage);
    m_exportButton = makeButton(tr("&Export..."), "exportButton", m_listPage);
    connect(m_replyButton, &QPushButton::clicked, this, &HistoryWindow::reply);
    connect(m_copyButton, &QPushButton::clicked, this, &HistoryWindow::copy);
    connect(m_deleteButton, &QPushButton::clicked, this, &HistoryWindow::deleteSelected);
    connect(m_exportButton, &QPushButton::clicked, this, &HistoryWindow::exportShown);
    // The keys act on the list; the message pane keeps its own copy of a selection.
    auto *deleteKey = new QAction(m_table);
    deleteKey->setShortcut(QKeySequence::Delete);
    deleteKey->setShortcutContext(Qt::WidgetShortcut);
    connect(deleteKey, &QAction::triggered, this, &HistoryWindow::deleteSelected);
    auto *copyKey = new QAction(m_table);
    copyKey->setShortcut(QKeySequence::Copy);
    copyKey->setShortcutContext(Qt::WidgetShortcut);
    connect(copyKey, &QAction::triggered, this, &HistoryWindow::copy);
    m_table->addActions({deleteKey, copyKey});

    m_statusLabel = new QLabel(m_listPage);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_replyButton);
    buttons->addWidget(m_copyButton);
    buttons->addWidget(m_deleteButton);
    buttons->addWidget(m_exportButton);
    buttons->addStretch(1);
    buttons->addWidget(m_statusLabel);

    auto *layout = new QVBoxLayout(m_listPage);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(makeFilterRow());
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    return m_listPage;
}

bool HistoryWindow::storingIsOn() const
{
    return m_settings.get(keys::StoreAndLoad) != 0;
}

void HistoryWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Read when shown: the setting may have changed while the window was closed.
    if (!storingIsOn()) {
        m_pages->setCurrentWidget(m_storingOffNotice);
        return;
    }
    m_pages->setCurrentWidget(m_listPage);
    m_searchField->setFocus();
    runSearch();
}

HistoryQuery HistoryWindow::query() const
{
    HistoryQuery query;
    query.words = m_searchField->text();
    query.sender = m_senderField->text();
    if (m_sinceCheck->isChecked())
        query.since = m_sinceDate->date();
    if (m_untilCheck->isChecked())
        query.until = m_untilDate->date();
    return query;
}

void HistoryWindow::scheduleSearch()
{
    m_typingPause.start();
}

void HistoryWindow::scheduleRefresh()
{
    // At once after a quiet while or into an empty list, else once the pause since the last
    // search is over: a list that keeps changing while the index is built still follows it,
    // at a pace that leaves the user-interface thread free.
    if (!isVisible() || m_refreshPause.isActive() || m_typingPause.isActive())
        return;
    const qint64 sinceLast =
        m_lastSearch.isValid() && m_model->rowCount() > 0 ? m_lastSearch.elapsed() : kRefreshPauseMs;
    m_refreshPause.start(int(std::max<qint64>(0, kRefreshPauseMs - sinceLast)));
}

void HistoryWindow::runSearch()
{
    m_typingPause.stop();
    m_refreshPause.stop();
    m_lastSearch.start();
    const HistoryQuery current = query();
    if (current.words.trimmed().isEmpty()) {
        // The index in reverse, or a slice of it: quicker than a hand-over to another thread.
        m_searcher.cancel();
        showResult(searchNow(m_index.snapshot(), current));
        return;
    }
    m_searcher.search(m_index.snapshot(), current);
    updateStatus();
}

void HistoryWindow::showResult(const HistoryResult &result)
{
    // Entries are shared by every snapshot that holds them, so the one selected is found in
    // the new result by its address; the old result keeps it alive meanwhile.
    const HistoryIndex::Snapshot previous = m_model->result().snapshot;
    const HistoryEntry *selected = selectedEntry();
    m_model->setResult(result);
    selectRow(selected ? m_model->rowOf(selected) : -1);
    m_exportButton->setEnabled(m_model->rowCount() > 0);
    updateStatus();
}

void HistoryWindow::selectRow(int row)
{
    m_table->setCurrentIndex(row >= 0 ? m_model->index(row, 0) : QModelIndex());
    showSelected();
}

const HistoryEntry *HistoryWindow::selectedEntry() const
{
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    return current.isValid() ? m_model->entryAt(current.row()) : nullptr;
}

void HistoryWindow::showSelected()
{
    const HistoryEntry *entry = selectedEntry();
    // The list is brought up to date while the user reads: the message on display stays as it
    // is, with the user's selection in it, as long as it is the one selected.
    const QString path = entry ? entry->record.filePath : QString();
    if (entry != m_shownEntry || path != m_shownPath) {
        m_shownEntry = entry;
        m_shownPath = path;
        m_messagePane->setPlainText(entry ? readableMessage(entry->record) : QString());
    }
    for (QPushButton *button : {m_replyButton, m_copyButton, m_deleteButton})
        button->setEnabled(entry != nullptr);
}

void HistoryWindow::updateStatus()
{
    QString status = tr("%1 of %2 messages").arg(m_model->rowCount()).arg(m_index.size());
    if (m_index.isBuilding())
        status += tr(", more being read");
    else if (m_searcher.isSearching())
        status += tr(", searching");
    m_statusLabel->setText(status);
}

void HistoryWindow::reply()
{
    if (const HistoryEntry *entry = selectedEntry()) {
        Q_EMIT replyRequested(replyDestination(decodeMessageBytes(entry->record.sender)),
                              displayText(QuoteMessage(entry->record.text)));
    }
}

void HistoryWindow::copy()
{
    const QString selection = m_messagePane->textCursor().selectedText();
    // A selection of the pane holds paragraph separators where its lines end.
    QGuiApplication::clipboard()->setText(
        selection.isEmpty() ? m_messagePane->toPlainText()
                            : QString(selection).replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
}

void HistoryWindow::deleteSelected()
{
    const HistoryEntry *entry = selectedEntry();
    if (!entry)
        return;
    const QString path = entry->record.filePath;
    const int row = m_table->selectionModel()->currentIndex().row();
    const QString question = tr("Delete the message from %1 of %2?")
                                 .arg(decodeMessageBytes(entry->record.sender), m_model->arrivalText(*entry));
    if (m_prompter.message(tr("Delete message"), question, Prompter::Icon::Question, Prompter::Buttons::YesNo,
                           Prompter::Answer::No)
        != Prompter::Answer::Yes) {
        return;
    }
    DeleteMessageFile(path);
    m_model->dropRow(row);
    m_index.remove(path);
    Q_EMIT messageDeleted(path);
    // The next older message takes the place of the deleted one.
    selectRow(std::min(row, m_model->rowCount() - 1));
    m_exportButton->setEnabled(m_model->rowCount() > 0);
    updateStatus();
}

void HistoryWindow::exportShown()
{
    const QString path =
        m_prompter.saveFileName(tr("Export messages"), QDir::homePath() + QStringLiteral("/messages.txt"),
                                tr("Text files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    const QString error = writeHistoryExport(path, m_model->result());
    if (!error.isEmpty()) {
        m_prompter.message(tr("Export messages"), tr("The messages could not be written to %1:\n%2").arg(path, error),
                           Prompter::Icon::Stop);
    }
}

} // namespace tq
