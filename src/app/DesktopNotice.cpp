#include "app/DesktopNotice.h"

#include <QStringList>

namespace tq {

DesktopNotice desktopNoticeFor(bool notifyOn, bool trayAvailable, bool windowActive)
{
    if (!notifyOn || windowActive)
        return DesktopNotice::None;
    return trayAvailable ? DesktopNotice::Balloon : DesktopNotice::Alert;
}

QString noticeLine(const QString &text, qsizetype maxLength)
{
    QString normalised = text;
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString &line : normalised.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed.size() <= maxLength)
            return trimmed;
        // Never leave half of a character that takes two code units.
        const qsizetype cut = trimmed.at(maxLength - 1).isHighSurrogate() ? maxLength - 1 : maxLength;
        return trimmed.left(cut);
    }
    return {};
}

} // namespace tq
