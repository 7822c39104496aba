#pragma once

#include "history/HistorySearcher.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QString>

namespace tq {

// The rows of the history window: one per message of a search result, newest first. The
// model holds the result, not copies of its messages; a row's texts are made when the view
// asks for them, so a list of a hundred thousand messages opens as fast as one of ten.
class HistoryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ArrivalColumn = 0, SenderColumn, ImportanceColumn, FirstLineColumn, ColumnCount };

    explicit HistoryTableModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void setResult(HistoryResult result);
    const HistoryResult &result() const { return m_result; }
    // The message of a row; null for a row that is not there.
    const HistoryEntry *entryAt(int row) const;
    // The row of `entry`, or -1.
    int rowOf(const HistoryEntry *entry) const;
    // Takes one row out without a new search (its message has just been deleted).
    void dropRow(int row);

    // The arrival as the list shows it: the short date and the time with seconds.
    QString arrivalText(const HistoryEntry &entry) const;

private:
    HistoryResult m_result;
    QLocale m_locale;
    QString m_dateFormat;
    QString m_timeFormat;
};

} // namespace tq
