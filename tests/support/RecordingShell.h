#pragma once

#include "platform/Shell.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace tq::test {

// Records what the program asked the desktop to open or run, and opens nothing.
class RecordingShell : public Shell {
public:
    bool openUrl(const QUrl &url) override
    {
        urls.append(url);
        return succeed;
    }
    bool runCommandLine(const QString &commandLine) override
    {
        commandLines.append(commandLine);
        return succeed;
    }

    bool succeed = true;
    QList<QUrl> urls;
    QStringList commandLines;
};

} // namespace tq::test
