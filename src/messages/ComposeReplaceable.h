#pragma once

#include <QStringView>

namespace tq {

// After each edit by the user, the compose box may be overwritten without asking only while
// it holds nothing but white space (space, tab, line feed, vertical tab, form feed, carriage
// return). Other blanks, such as a no-break space, count as the user's own text.
bool composeReplaceableFor(QStringView composeText);

} // namespace tq
