#pragma once

#include <QString>

namespace tq {

// How a new message or new mail is brought to the user's attention beside the tray icon.
enum class DesktopNotice {
    None,
    Balloon, // the tray's notification, with a title and one line
    Alert, // no tray: the window asks for attention in the task bar
};

// "Notify" off asks for nothing; a window the user is looking at needs no notice either.
DesktopNotice desktopNoticeFor(bool notifyOn, bool trayAvailable, bool windowActive);

// The line a notification shows: the first line of `text` that holds more than blanks,
// trimmed and cut to `maxLength` characters.
QString noticeLine(const QString &text, qsizetype maxLength = 120);

} // namespace tq
