#pragma once

#include "platform/Shell.h"

namespace tq {

// The real shell: QDesktopServices for addresses and files, QProcess for programs.
class DesktopShell : public Shell {
public:
    bool openUrl(const QUrl &url) override;
    bool runCommandLine(const QString &commandLine) override;
};

} // namespace tq
