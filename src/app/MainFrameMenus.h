#pragma once

#include <QObject>

class QAction;
class QMenu;
class QString;
class QToolBar;

namespace tq {

class CMainFrame;
class CTq20View;
class MailControls;
class SettingsStore;

// The main window's menu bar, toolbar, tray menu and mail menu, with the frame's commands and
// the view's own; and the layout of the bars between runs. Each command is an action of the
// frame, so its keys work wherever the focus is in the window.
class MainFrameMenus : public QObject {
    Q_OBJECT
public:
    MainFrameMenus(CMainFrame &frame, CTq20View &view, MailControls &mail, SettingsStore &settings);

    QToolBar *toolBar() const { return m_toolBar; }
    QMenu *trayMenu() const { return m_trayMenu; }
    QMenu *mailMenu() const { return m_mailMenu; }
    QAction *addressBookAction() const { return m_addressBookAction; }

    // The toolbar's and status bar's visibility and the toolbar's place, from the last run and
    // for the next one.
    void restoreBarState();
    void saveBarState();

private:
    template <typename Receiver>
    QAction *addCommand(const char *objectName, const QString &text, Receiver *receiver, void (Receiver::*slot)());
    // Adds the frame's action of that name, if there is one.
    void addFrameAction(QMenu *menu, const char *objectName);
    void createMenuBar();
    void createToolBar();
    void createTrayMenus();
    // The mail menu follows the settings each time it opens.
    void prepareMailMenu();

    CMainFrame &m_frame;
    CTq20View &m_view;
    MailControls &m_mail;
    SettingsStore &m_settings;
    QToolBar *m_toolBar = nullptr;
    QAction *m_statusBarAction = nullptr;
    QAction *m_addressBookAction = nullptr;
    QMenu *m_trayMenu = nullptr;
    QMenu *m_mailMenu = nullptr;
    QAction *m_toggleMailAction = nullptr;
    QAction *m_readMailAction = nullptr;
};

} // namespace tq
