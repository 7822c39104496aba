#include "platform/SoundRequest.h"

#include <QDir>
#include <QFileInfo>

namespace tq {

QByteArray freedesktopEventId(const QString &systemSoundName)
{
    static const struct {
        const char *name;
        const char *eventId;
    } kSounds[] = {
        {"SystemQuestion", "window-question"},
        {"SystemAsterisk", "dialog-information"},
        {"SystemExclamation", "dialog-warning"},
        {"MailBeep", "message-new-email"},
        {"CCSelect", "complete"},
        {".Default", "bell"},
    };
    for (const auto &sound : kSounds) {
        if (systemSoundName.compare(QLatin1String(sound.name), Qt::CaseInsensitive) == 0)
            return QByteArray(sound.eventId);
    }
    return {};
}

QString resolveSoundFile(const QString &name, const QStringList &programFolders)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return name;
    for (const QString &folder : programFolders) {
        const QString shipped = QDir(folder).filePath(name);
        if (QFileInfo::exists(shipped))
            return shipped;
    }
    return QDir::current().absoluteFilePath(name);
}

SoundRequest soundRequestFor(const QString &sound, const QStringList &programFolders)
{
    SoundRequest request;
    if (sound.isEmpty())
        return request;
    request.eventId = freedesktopEventId(sound);
    if (!request.eventId.isEmpty())
        return request;
    request.filePath = resolveSoundFile(sound, programFolders);
    if (sound == QLatin1String(kOwnArrivalSound))
        request.eventId = kArrivalEventId;
    return request;
}

} // namespace tq
