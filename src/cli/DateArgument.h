#pragma once

#include "history/StoredArrival.h"

#include <QString>

#include <variant>

namespace tq::cli {

// A date or a moment as the command line takes it, in local wall-clock time (the time that
// arrivals are kept in):
// - "YYYY-MM-DD": the day, with an invalid time (the whole day);
// - an ISO 8601 date and time, "YYYY-MM-DDThh:mm[:ss[.zzz]]" (a space may stand for the "T"),
//   with "Z" or an offset such as "+01:00" when it is not local time.
// Gives the date and time, or what is wrong with `text`, naming `option` ("--since").
std::variant<WallClock, QString> parseDateArgument(const QString &option, const QString &text);

} // namespace tq::cli
