#pragma once

#include <QString>

namespace tq {

// The per-user application-data folder. Message files, the kill-word file, the answer file,
// the filtered-message file and the group template files live in it; messages in "messages/".
// The path always ends with '/'.
class AppDataDir {
public:
    // "$XDG_DATA_HOME/TARQUEL/TarquelMessenger/" (or under ~/.local/share), or "./" when the
    // platform names no data folder.
    static QString compute();
    // Creates the folder and its "messages/" sub-folder; an existing or uncreatable folder
    // is not an error (later file operations report their own failures).
    static void createFolders(const QString &appDataDir);

    // The process-wide value, set once at start-up; "./" until then.
    static const QString &path();
    static QString messagesPath() { return path() + QStringLiteral("messages/"); }
    static void initialise();
    static void setPathForTesting(const QString &path);
};

} // namespace tq
