#include "history/HistoryTableModel.h"

#include "messages/ArrivalStamp.h"
#include "messages/DisplayText.h"

#include <algorithm>

namespace tq {

HistoryTableModel::HistoryTableModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_locale(QLocale::system())
    , m_dateFormat(m_locale.dateFormat(QLocale::ShortFormat))
    , m_timeFormat(timeFormatWithoutZone(m_locale.timeFormat(QLocale::LongFormat)))
{
}

int HistoryTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_result.rows.size());
}

int HistoryTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString HistoryTableModel::arrivalText(const HistoryEntry &entry) const
{
    const QDateTime arrival = entry.arrival();
    return m_locale.toString(arrival.date(), m_dateFormat) + QLatin1Char(' ')
        + m_locale.toString(arrival.time(), m_timeFormat);
}

QVariant HistoryTableModel::data(const QModelIndex &index, int role) const
{
    const HistoryEntry *entry = entryAt(index.row());
    if (!entry || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    switch (index.column()) {
    case ArrivalColumn:
        return arrivalText(*entry);
    case SenderColumn:
        return decodeMessageBytes(entry->record.sender);
    case ImportanceColumn:
        return entry->record.highImportance ? tr("High") : QString();
    case FirstLineColumn:
        return entry->firstLine();
    default:
        return {};
    }
}

QVariant HistoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ArrivalColumn:
        return tr("Received");
    case SenderColumn:
        return tr("From");
    case ImportanceColumn:
        return tr("Importance");
    case FirstLineColumn:
        return tr("Message");
    default:
        return {};
    }
}

void HistoryTableModel::setResult(HistoryResult result)
{
    beginResetModel();
    m_result = std::move(result);
    endResetModel();
}

const HistoryEntry *HistoryTableModel::entryAt(int row) const
{
    if (row < 0 || size_t(row) >= m_result.rows.size())
        return nullptr;
    return m_result.rows[size_t(row)];
}

int HistoryTableModel::rowOf(const HistoryEntry *entry) const
{
    const auto found = std::find(m_result.rows.begin(), m_result.rows.end(), entry);
    return found == m_result.rows.end() ? -1 : int(found - m_result.rows.begin());
}

void HistoryTableModel::dropRow(int row)
{
    if (row < 0 || size_t(row) >= m_result.rows.size())
        return;
    beginRemoveRows({}, row, row);
    m_result.rows.erase(m_result.rows.begin() + row);
    endRemoveRows();
}

} // namespace tq
