#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>

namespace tq {

class MailAnnouncer;
class MailCounts;
class Prompter;
class SettingsStore;
class Shell;
class SoundPlayer;

// What the preference pages work with: the store they read and write, the services behind
// their buttons, and the shared fonts of the main window's form.
struct PrefsContext {
    SettingsStore &settings;
    Prompter &prompter;
    SoundPlayer &sound;
    Shell &shell;
    MailAnnouncer &mailAnnouncer;
    MailCounts &mailCounts;
    QFont font;
    QFont boldFont;
    // The application-data folder (ending in '/'), where the rule files live.
    QString dataDir;
    // The address the station gives as its own, as its packets name it.
    QByteArray ownAddress;
};

} // namespace tq
