#include "addressbook/RemoveAddressBookRows.h"

#include "addressbook/AddressBookModel.h"
#include "platform/Prompter.h"
#include "res/StringTable.h"

#include <QItemSelectionModel>

#include <algorithm>

namespace tq {
namespace {

QList<int> selectedRowNumbers(const QItemSelectionModel &selection)
{
    QList<int> rows;
    for (const QModelIndex &index : selection.selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

bool confirmRemoval(Prompter &prompter, const AddressBookModel::Row &row)
{
    const QByteArray name = row.name.toUtf8();
    if (row.group) {
        return prompter.message(tqString(Sid::ConfirmGroupDeleteCaption),
                                tqFormat(Sid::ConfirmGroupDelete, name.constData()), Prompter::Icon::Question,
                                Prompter::Buttons::YesNo, Prompter::Answer::No)
            == Prompter::Answer::Yes;
    }
    return prompter.message(tqString(Sid::ConfirmUserDeleteCaption), tqFormat(Sid::ConfirmUserDelete, name.constData()),
                            Prompter::Icon::Question, Prompter::Buttons::YesNo, Prompter::Answer::Yes)
        == Prompter::Answer::Yes;
}

} // namespace

void removeSelectedRows(AddressBookModel &model, QItemSelectionModel &selection, Prompter &prompter)
{
    const qsizetype count = selectedRowNumbers(selection).size();
    if (count == 0)
        return;
    if (count > 1) {
        const Prompter::Answer answer = prompter.message(
            tqString(Sid::ConfirmMultipleDeleteCaption), tqFormat(Sid::ConfirmMultipleDelete, static_cast<int>(count)),
            Prompter::Icon::Question, Prompter::Buttons::YesNo, Prompter::Answer::No);
        if (answer != Prompter::Answer::Yes)
            return;
    }
    const bool single = count == 1;
    int removedAt = -1;
    for (qsizetype turn = 0; turn < count; ++turn) {
        const QList<int> rows = selectedRowNumbers(selection);
        if (rows.isEmpty())
            break;
        const int row = rows.first();
        // A row that was asked about leaves the selection, so a No moves on to the next one.
        if (single || model.rowAt(row).group) {
            selection.select(model.index(row, 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
            if (!confirmRemoval(prompter, model.rowAt(row)))
                continue;
        }
        model.removeRowAt(row);
        removedAt = row;
    }
    if (single && removedAt >= 0 && model.rowCount() > 0) {
        const int next = removedAt < model.rowCount() ? removedAt : 0;
        selection.setCurrentIndex(model.index(next, 0),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

} // namespace tq
