#include "addressbook/AddressBookListRules.h"

#include "addressbook/AddressBookNames.h"
#include "res/StringTable.h"

#include <algorithm>

namespace tq::addressbook {
namespace {

constexpr int kColumnCount = 2;

bool isDigitGroup(QStringView group)
{
    return !group.isEmpty() && group.size() <= 3
        && std::all_of(group.begin(), group.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QByteArray sortKey(const QString &text)
{
    const QString upper = text.toUpper();
    if (upper.size() >= 7 && upper.size() <= 15) {
        const QList<QStringView> groups = QStringView(upper).split(u'.');
        if (groups.size() == 4 && std::all_of(groups.begin(), groups.end(), isDigitGroup)) {
            QByteArray key;
            for (const QStringView group : groups) {
                if (!key.isEmpty())
                    key += '.';
                key += group.toLatin1().rightJustified(3, '0');
            }
            return key;
        }
    }
    return upper.toUtf8();
}

SortOrder storedSortOrder(int column, int ascending)
{
    return {column >= 0 && column < kColumnCount ? column : 0, ascending != 0};
}

SortOrder afterHeaderClick(const SortOrder &current, int column)
{
    if (column == current.column)
        return {column, !current.ascending};
    return {column, true};
}

QString dialogTitle(bool topLevel, int groupCount, int userCount)
{
    if (topLevel && groupCount > 0)
        return tqFormat(Sid::AddressBookTitleWithGroups, groupCount, userCount);
    return tqFormat(Sid::AddressBookTitle, userCount);
}

QStringList levelListNames(const QStringList &groups)
{
    QStringList names = groups;
    names.prepend(topLevelName());
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

bool sameLevel(const QString &a, const QString &b)
{
    if (isTopLevel(a) || isTopLevel(b))
        return isTopLevel(a) && isTopLevel(b);
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QList<int> rowsToToggle(int clickedRow, const QList<int> &selectedRows)
{
    QList<int> rows = selectedRows.size() >= 2 ? selectedRows : QList<int>{clickedRow};
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace tq::addressbook
