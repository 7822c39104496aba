#pragma once

#include <QFont>

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
};

} // namespace tq
