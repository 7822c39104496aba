// The main window's menu bar, toolbar and their layout between runs; the help and web commands.
#include "app/CMainFrame.h"

#include "app/HelpPages.h"
#include "app/ShellIcons.h"
#include "messages/CTq20View.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace tq {
namespace {

// A command's hint in the status bar and its tool tip come from one text, "hint\ntip".
void setHints(QAction *action, Sid hints)
{
    const QString text = tqString(hints);
    const qsizetype split = text.indexOf(QLatin1Char('\n'));
    action->setStatusTip(text.left(split));
    action->setToolTip(split < 0 ? text : text.mid(split + 1));
}

} // namespace

QAction *CMainFrame::addCommand(const char *objectName, const QString &text, void (CMainFrame::*slot)())
{
    auto *action = new QAction(text, this);
    action->setObjectName(QLatin1String(objectName));
    action->setShortcutVisibleInContextMenu(false);
    connect(action, &QAction::triggered, this, slot);
    // Shortcuts work wherever the focus is in the window, with or without the menu bar.
    addAction(action);
    return action;
}

void CMainFrame::createMenus()
{
    using C = CTq20View::Command;
    QMenu *message = menuBar()->addMenu(tqString(Sid::MenuMessageTitle));
    message->setObjectName(QStringLiteral("messageMenu"));
    message->addAction(m_view->action(C::Send));
    message->addAction(m_view->action(C::SendHighImportance));
    message->addSeparator();
    message->addAction(m_view->action(C::Previous));
    message->addAction(m_view->action(C::Next));
    message->addAction(m_view->action(C::Delete));
    message->addSeparator();
    message->addMenu(m_view->addSenderMenu());
    message->addAction(m_view->action(C::DiscardAll));
    message->addSeparator();
    message->addAction(addCommand("actionExit", tqString(Sid::MenuExit), &CMainFrame::OnExit));

    menuBar()->addMenu(m_view->editMenu());

    QMenu *view = menuBar()->addMenu(tqString(Sid::MenuViewTitle));
    view->setObjectName(QStringLiteral("viewMenu"));
    // The toolbar's own action is added by createToolBar; it goes first.
    m_statusBarAction = new QAction(tqString(Sid::MenuStatusBar), this);
    m_statusBarAction->setObjectName(QStringLiteral("actionStatusBar"));
    m_statusBarAction->setCheckable(true);
    m_statusBarAction->setChecked(true);
    connect(m_statusBarAction, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    view->addAction(m_statusBarAction);
    view->addSeparator();
    m_addressBookAction = addCommand("actionAddressBook", tqString(Sid::MenuAddressBook), &CMainFrame::OnAddressBook);
    m_addressBookAction->setEnabled(false);
    setHints(m_addressBookAction, Sid::HintAddressBook);
    view->addAction(m_addressBookAction);
    QAction *preferences = addCommand("actionPreferences", tqString(Sid::MenuPreferences), &CMainFrame::OnPreferences);
    setHints(preferences, Sid::HintPreferences);
    view->addAction(preferences);
    view->addSeparator();
    view->addAction(m_view->action(C::PopupOnReceipt));

    QMenu *help = menuBar()->addMenu(tqString(Sid::MenuHelpTitle));
    help->setObjectName(QStringLiteral("helpMenu"));
    QAction *contents = addCommand("actionHelpContents", tqString(Sid::MenuHelpContents), &CMainFrame::OnHelp);
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    help->addAction(contents);
    help->addSeparator();
    help->addAction(addCommand("actionVisitWebSite", tqString(Sid::MenuVisitWebSite), &CMainFrame::OnVisitWebSite));
    help->addSeparator();
    QAction *about = addCommand("actionAbout", tqString(Sid::MenuAbout), &CMainFrame::OnAbout);
    setHints(about, Sid::HintAbout);
    help->addAction(about);

    QAction *minimize = addCommand("actionMinimizeToTray", {}, &CMainFrame::minimizeToTray);
    minimize->setShortcut(QKeySequence(Qt::Key_Escape));
}

void CMainFrame::createToolBar()
{
    using C = CTq20View::Command;
    m_toolBar = new QToolBar(tqString(Sid::ToolbarTitle), this);
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setIconSize(QSize(18, 18));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);

    const auto button = [this](QAction *action, ToolbarImage image, Sid hints) {
        action->setIcon(toolbarIcon(image));
        setHints(action, hints);
        m_toolBar->addAction(action);
    };
    button(m_view->action(C::Previous), ToolbarImage::Previous, Sid::HintPrevious);
    button(m_view->action(C::Next), ToolbarImage::Next, Sid::HintNext);
    button(m_view->action(C::Delete), ToolbarImage::Delete, Sid::HintDelete);
    m_toolBar->addSeparator();
    button(m_view->action(C::Cut), ToolbarImage::Cut, Sid::HintCut);
    button(m_view->action(C::Copy), ToolbarImage::Copy, Sid::HintCopy);
    button(m_view->action(C::Paste), ToolbarImage::Paste, Sid::HintPaste);
    m_toolBar->addSeparator();
    button(m_addressBookAction, ToolbarImage::AddressBook, Sid::HintAddressBook);
    button(findChild<QAction *>(QStringLiteral("actionPreferences")), ToolbarImage::Preferences, Sid::HintPreferences);
    m_toolBar->addSeparator();
    button(findChild<QAction *>(QStringLiteral("actionAbout")), ToolbarImage::About, Sid::HintAbout);
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    QAction *toggle = m_toolBar->toggleViewAction();
    toggle->setObjectName(QStringLiteral("actionToolbar"));
    toggle->setText(tqString(Sid::MenuToolbar));
    QMenu *view = menuBar()->findChild<QMenu *>(QStringLiteral("viewMenu"));
    view->insertAction(m_statusBarAction, toggle);
}

void CMainFrame::restoreBarState()
{
    const QByteArray layout = QByteArray::fromBase64(m_settings.get(keys::BarLayout).toLatin1());
    if (!layout.isEmpty())
        restoreState(layout);
    m_statusBarAction->setChecked(m_settings.get(keys::StatusBarVisible) != 0);
    statusBar()->setVisible(m_statusBarAction->isChecked());
}

void CMainFrame::saveBarState()
{
    m_settings.set(keys::BarLayout, QString::fromLatin1(saveState().toBase64()));
    m_settings.set(keys::StatusBarVisible, m_statusBarAction->isChecked() ? 1 : 0);
}

void CMainFrame::OnHelp()
{
    const QString index = HelpPages::indexPath(m_helpFolders);
    if (index.isEmpty()) {
        m_prompter.message(tqString(Sid::AppName), tqString(Sid::HelpNotInstalled), Prompter::Icon::Exclamation);
        return;
    }
    // The pages are there: a reinstall would not help, a browser would.
    if (!m_shell->openUrl(QUrl::fromLocalFile(index)))
        m_prompter.message(tqString(Sid::AppName), tqFormat(Sid::HelpNoBrowser, index.toUtf8().constData()),
                           Prompter::Icon::Exclamation);
}

void CMainFrame::OnVisitWebSite()
{
    m_shell->openUrl(QUrl(QStringLiteral("http://") + m_settings.get(keys::Url)));
}

} // namespace tq
