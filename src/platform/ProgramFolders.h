#pragma once

#include <QString>
#include <QStringList>

namespace tq {

// Where the program finds the files it ships (help pages, its own sound): beside the program,
// where a build puts them, then in the shared data folder of an installation, found from the
// program's own folder so that an installation under any prefix finds its files.
// `programDir` is the folder of the running program.
QStringList programDataFolders(const QString &programDir);

// The same for the running program.
QStringList programDataFolders();

} // namespace tq
