#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tq {

// The program's own arrival sound, beside the program in a build and in the shared data folder
// of an installation; "SoundFile" names it by default.
inline constexpr char kOwnArrivalSound[] = "receive.wav";
// The desktop's sound for an arriving message.
inline constexpr char kArrivalEventId[] = "message-new-instant";

// What the sound system is asked for: a sound of the desktop's theme by its event id, a file,
// or both, the file then standing in when the theme has no sound of that id.
struct SoundRequest {
    QByteArray eventId;
    QString filePath;

    bool isEmpty() const { return eventId.isEmpty() && filePath.isEmpty(); }
};

// The freedesktop event id that stands for a system sound name ("SystemQuestion",
// "SystemAsterisk", "SystemExclamation", "MailBeep", "CCSelect", ".Default"; letter case
// ignored); empty for any other text.
QByteArray freedesktopEventId(const QString &systemSoundName);

// Where a sound file is: a name without a folder is looked for in the program's data folders
// first, then in the working folder, where it was looked for before.
QString resolveSoundFile(const QString &name, const QStringList &programFolders);

// A system sound name asks for its theme sound. A file is played as it is, except the program's
// own sound under its bare default name: that one gives way to the desktop's arrival sound when
// the theme has one. An empty text asks for nothing.
SoundRequest soundRequestFor(const QString &sound, const QStringList &programFolders);

} // namespace tq
