#pragma once

#include <QString>
#include <QStringList>

namespace tq {

// The program's help: HTML pages in a "help" folder beside the program (or in the shared
// data folder of an installation).
class HelpPages {
public:
    static constexpr const char *kIndexPage = "index.html";

    // Beside the program, then "../share/tarquel-messenger/help" from it.
    static QStringList defaultFolders();
    // The index page of the first folder that holds one; empty when none does.
    static QString indexPath(const QStringList &folders);
};

} // namespace tq
