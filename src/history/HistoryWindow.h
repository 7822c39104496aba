#pragma once

#include "history/HistoryIndex.h"
#include "history/HistorySearcher.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace tq {

class HistoryTableModel;
class Prompter;
class SettingsStore;

// The History window: every stored message, newest first, narrowed down as the user types
// words, a sender or a range of days; the selected message shown whole below the list.
// It shows the index as it is and follows it while it is being built or changes.
class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    // How long typing must pause before the search runs: enough to take a burst of keys (a
    // paste, a key held down) as one, short enough that the list follows each key at once.
    static constexpr int kTypingPauseMs = 30;

    HistoryWindow(HistoryIndex &index, const SettingsStore &settings, Prompter &prompter, QWidget *parent = nullptr);
    ~HistoryWindow() override;

    HistoryQuery query() const;
    const HistoryTableModel &model() const { return *m_model; }

Q_SIGNALS:
    // Reply to the selected message: the destination-field text and the quote for the
    // compose box, as the main view offers them for a message it shows.
    void replyRequested(const QString &destination, const QString &quote);
    // The file of a message was deleted here; the message list drops its record too.
    void messageDeleted(const QString &filePath);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *makeFilterRow();
    QWidget *makeListPage();
    void scheduleSearch();
    void scheduleRefresh();
    void runSearch();
    void showResult(const HistoryResult &result);
    void selectRow(int row);
    void showSelected();
    void updateStatus();
    bool storingIsOn() const;
    const HistoryEntry *selectedEntry() const;

    void reply();
    void copy();
    void deleteSelected();
    void exportShown();

    HistoryIndex &m_index;
    const SettingsStore &m_settings;
    Prompter &m_prompter;
    HistorySearcher m_searcher;
    HistoryTableModel *m_model = nullptr;

    QStackedWidget *m_pages = nullptr;
    QWidget *m_listPage = nullptr;
    QLabel *m_storingOffNotice = nullptr;
    QLineEdit *m_searchField = nullptr;
    QLineEdit *m_senderField = nullptr;
    QCheckBox *m_sinceCheck = nullptr;
    QDateEdit *m_sinceDate = nullptr;
    QCheckBox *m_untilCheck = nullptr;
    QDateEdit *m_untilDate = nullptr;
    QTableView *m_table = nullptr;
    QPlainTextEdit *m_messagePane = nullptr;
    QPushButton *m_replyButton = nullptr;
    QPushButton *m_copyButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QPushButton *m_exportButton = nullptr;
    QLabel *m_statusLabel = nullptr;

    // The message on display in the pane; its path tells a new entry at the address of a
    // deleted one apart.
    const HistoryEntry *m_shownEntry = nullptr;
    QString m_shownPath;

    QTimer m_typingPause;
    QTimer m_refreshPause;
    QElapsedTimer m_lastSearch;
};

} // namespace tq
