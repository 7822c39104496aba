#pragma once

#include "history/HistorySearcher.h"

#include <QByteArray>
#include <QString>

namespace tq {

// The messages of `result` in the order it has them, one readable block each
// (readableMessage), as UTF-8.
QByteArray historyExportText(const HistoryResult &result);

// Writes that text to `path`, which holds the whole of it or stays as it was. Returns the
// reason when it could not be written, an empty text when it was.
QString writeHistoryExport(const QString &path, const HistoryResult &result);

} // namespace tq
