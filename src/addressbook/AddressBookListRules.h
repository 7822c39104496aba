#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tq::addressbook {

// The decisions of the Address Book dialog's list that are not changes of the store.

// What a row sorts by: its text in upper case, with a dotted address (four groups of one to
// three digits) padded to three digits a group, so that 10.0.0.9 comes before 10.0.0.10.
// Keys compare byte by byte.
QByteArray sortKey(const QString &text);

struct SortOrder {
    int column = 0;
    bool ascending = true;

    friend bool operator==(const SortOrder &, const SortOrder &) = default;
};

// The order kept in "AB_SortCol" and "AB_SortAsc"; a column the list does not have sorts by
// the first.
SortOrder storedSortOrder(int column, int ascending);
// A click on a column header: another column sorts ascending, the same column turns round.
SortOrder afterHeaderClick(const SortOrder &current, int column);

// "Address Book [%d Groups, %d Users]" while the top level shows a group, otherwise
// "Address Book [%d Users]".
QString dialogTitle(bool topLevel, int groupCount, int userCount);

// The level list: "Outside Any Group" and every group, sorted without regard to case.
QStringList levelListNames(const QStringList &groups);
// Whether two group names stand for the same level ("Outside Any Group" and the empty name
// both mean the top level).
bool sameLevel(const QString &a, const QString &b);

// A click on a row's state image toggles that row, or every selected row while two or more are
// selected. Rows come back in list order.
QList<int> rowsToToggle(int clickedRow, const QList<int> &selectedRows);

} // namespace tq::addressbook
