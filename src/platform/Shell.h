#pragma once

#include <QString>
#include <QUrl>

namespace tq {

// The desktop's ways of opening things, behind one small interface so tests record what was
// asked instead of starting programs.
class Shell {
public:
    virtual ~Shell() = default;
    // A web address, a mail address or a local file, with the program the desktop has for it.
    virtual bool openUrl(const QUrl &url) = 0;
    // A program by command line ("program arg ..."), detached from this process.
    virtual bool runCommandLine(const QString &commandLine) = 0;
};

} // namespace tq
