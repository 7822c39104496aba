#pragma once

#include <QString>
#include <QStringList>

namespace tq {

// The program's help: HTML pages in a "help" folder beside the program (or in the shared
// data folder of an installation).
class HelpPages {
public:
    static constexpr const char *kIndexPage = "index.html";

    // "help" in each of the program's data folders: beside the program, then installed.
    static QStringList defaultFolders();
    // The index page of the first folder that holds one; empty when none does.
    static QString indexPath(const QStringList &folders);
};

} // namespace tq
