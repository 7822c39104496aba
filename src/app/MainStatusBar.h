#pragma once

class QLabel;
class QStatusBar;

namespace tq {

class SettingsStore;
class StatusNotices;

// The panes of the main window's status bar: pane 0 (the status line, which the mode text
// shares), pane 1 (the time a send has taken), pane 2 (the position in the message list), and
// the lasting notices about settings and files that could not be used as they are.
class MainStatusBar {
public:
    explicit MainStatusBar(QStatusBar *bar);

    // 0, 1 or 2; none for any other number.
    QLabel *pane(int index) const;
    StatusNotices *notices() const { return m_notices; }
    // Port settings that name no port, so that their defaults are in use.
    void showPortSettingFaults(const SettingsStore &settings);
    // Stored message files the start-up load left aside for their size.
    void showLargeFilesSkipped(int count);

private:
    QLabel *m_panes[3] = {};
    StatusNotices *m_notices = nullptr;
};

} // namespace tq
