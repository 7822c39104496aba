#pragma once

#include <QString>
#include <QtGlobal>

namespace tq {

// What the window title, the tray icon and the position pane say about the message list.
struct CounterTexts {
    QString title; // also the main window's title
    QString trayIconName; // "IDI_AMAINFRAME", or "IDI_ICON1" ... "IDI_ICON11" (eleven and more)
    QString trayTip; // at most 63 characters
    QString position; // "index/count" for the status bar
};

CounterTexts counterTexts(quint32 count, quint32 index);

} // namespace tq
