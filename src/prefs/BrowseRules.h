#pragma once

#include <QString>

namespace tq {

// Where a browse dialog starts: the field's file when it exists, else the page's fallback.
QString browseInitialName(const QString &fieldText, const QString &fallback);

// A filter of the string table ("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||") in the
// notation of the file dialogs ("Text Files (*.txt);;All Files (*)"). "*.*" means every file,
// also one without a dot. A filter for programs ("*.exe") would hide every program here, so
// "all files" moves to the front of such a list.
QString dialogFileFilter(const QString &tableFilter);

// `path` with ".suffix" added when its file name has no suffix of its own.
QString withDefaultSuffix(const QString &path, const QString &suffix);

} // namespace tq
