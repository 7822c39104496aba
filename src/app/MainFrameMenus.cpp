#include "app/MainFrameMenus.h"

#include "app/CMainFrame.h"
#include "app/MailControls.h"
#include "app/ShellIcons.h"
#include "messages/CTq20View.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

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

MainFrameMenus::MainFrameMenus(CMainFrame &frame, CTq20View &view, MailControls &mail, SettingsStore &settings)
    : QObject(&frame)
    , m_frame(frame)
    , m_view(view)
    , m_mail(mail)
    , m_settings(settings)
{
    createMenuBar();
    createToolBar();
    createTrayMenus();
}

template <typename Receiver>
QAction *MainFrameMenus::addCommand(const char *objectName, const QString &text, Receiver *receiver,
                                    void (Receiver::*slot)())
{
    auto *action = new QAction(text, &m_frame);
    action->setObjectName(QLatin1String(objectName));
    action->setShortcutVisibleInContextMenu(false);
    connect(action, &QAction::triggered, receiver, slot);
    // Shortcuts work wherever the focus is in the window, with or without the menu bar.
    m_frame.addAction(action);
    return action;
}

void MainFrameMenus::addFrameAction(QMenu *menu, const char *objectName)
{
    // The frame's parts that bring their own commands made them before the menus.
    if (QAction *action = m_frame.findChild<QAction *>(QLatin1String(objectName), Qt::FindDirectChildrenOnly))
        menu->addAction(action);
}

void MainFrameMenus::createMenuBar()
{
    using C = CTq20View::Command;
    QMenuBar *bar = m_frame.menuBar();
    QMenu *message = bar->addMenu(tqString(Sid::MenuMessageTitle));
    message->setObjectName(QStringLiteral("messageMenu"));
    message->addAction(m_view.action(C::Send));
    message->addAction(m_view.action(C::SendHighImportance));
    message->addSeparator();
    message->addAction(m_view.action(C::Previous));
    message->addAction(m_view.action(C::Next));
    message->addAction(m_view.action(C::Delete));
    message->addSeparator();
    message->addMenu(m_view.addSenderMenu());
    message->addAction(m_view.action(C::DiscardAll));
    message->addSeparator();
    addFrameAction(message, "actionFindStations");
    message->addSeparator();
    message->addAction(addCommand("actionExit", tqString(Sid::MenuExit), &m_frame, &CMainFrame::OnExit));

    bar->addMenu(m_view.editMenu());

    QMenu *view = bar->addMenu(tqString(Sid::MenuViewTitle));
    view->setObjectName(QStringLiteral("viewMenu"));
    // The toolbar's own action is added by createToolBar; it goes first.
    m_statusBarAction = new QAction(tqString(Sid::MenuStatusBar), &m_frame);
    m_statusBarAction->setObjectName(QStringLiteral("actionStatusBar"));
    m_statusBarAction->setCheckable(true);
    m_statusBarAction->setChecked(true);
    connect(m_statusBarAction, &QAction::toggled, &m_frame, [this](bool on) { m_frame.statusBar()->setVisible(on); });
    view->addAction(m_statusBarAction);
    view->addSeparator();
    m_addressBookAction =
        addCommand("actionAddressBook", tqString(Sid::MenuAddressBook), &m_frame, &CMainFrame::OnAddressBook);
    m_addressBookAction->setEnabled(false);
    setHints(m_addressBookAction, Sid::HintAddressBook);
    view->addAction(m_addressBookAction);
    addFrameAction(view, "actionHistory");
    addFrameAction(view, "actionWaitingMessages");
    QAction *preferences =
        addCommand("actionPreferences", tqString(Sid::MenuPreferences), &m_frame, &CMainFrame::OnPreferences);
    setHints(preferences, Sid::HintPreferences);
    view->addAction(preferences);
    view->addSeparator();
    view->addAction(m_view.action(C::PopupOnReceipt));

    QMenu *help = bar->addMenu(tqString(Sid::MenuHelpTitle));
    help->setObjectName(QStringLiteral("helpMenu"));
    QAction *contents =
        addCommand("actionHelpContents", tqString(Sid::MenuHelpContents), &m_frame, &CMainFrame::OnHelp);
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    help->addAction(contents);
    help->addSeparator();
    help->addAction(
        addCommand("actionVisitWebSite", tqString(Sid::MenuVisitWebSite), &m_frame, &CMainFrame::OnVisitWebSite));
    help->addSeparator();
    QAction *about = addCommand("actionAbout", tqString(Sid::MenuAbout), &m_frame, &CMainFrame::OnAbout);
    setHints(about, Sid::HintAbout);
    help->addAction(about);

    QAction *minimize = addCommand("actionMinimizeToTray", {}, &m_frame, &CMainFrame::minimizeToTray);
    minimize->setShortcut(QKeySequence(Qt::Key_Escape));
}

void MainFrameMenus::createToolBar()
{
    using C = CTq20View::Command;
    m_toolBar = new QToolBar(tqString(Sid::ToolbarTitle), &m_frame);
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
    button(m_view.action(C::Previous), ToolbarImage::Previous, Sid::HintPrevious);
    button(m_view.action(C::Next), ToolbarImage::Next, Sid::HintNext);
    button(m_view.action(C::Delete), ToolbarImage::Delete, Sid::HintDelete);
    m_toolBar->addSeparator();
    button(m_view.action(C::Cut), ToolbarImage::Cut, Sid::HintCut);
    button(m_view.action(C::Copy), ToolbarImage::Copy, Sid::HintCopy);
    button(m_view.action(C::Paste), ToolbarImage::Paste, Sid::HintPaste);
    m_toolBar->addSeparator();
    button(m_addressBookAction, ToolbarImage::AddressBook, Sid::HintAddressBook);
    button(m_frame.findChild<QAction *>(QStringLiteral("actionPreferences")), ToolbarImage::Preferences,
           Sid::HintPreferences);
    m_toolBar->addSeparator();
    button(m_frame.findChild<QAction *>(QStringLiteral("actionAbout")), ToolbarImage::About, Sid::HintAbout);
    m_frame.addToolBar(Qt::TopToolBarArea, m_toolBar);

    QAction *toggle = m_toolBar->toggleViewAction();
    toggle->setObjectName(QStringLiteral("actionToolbar"));
    toggle->setText(tqString(Sid::MenuToolbar));
    QMenu *view = m_frame.menuBar()->findChild<QMenu *>(QStringLiteral("viewMenu"));
    view->insertAction(m_statusBarAction, toggle);
}

void MainFrameMenus::createTrayMenus()
{
    m_trayMenu = new QMenu(&m_frame);
    m_trayMenu->setObjectName(QStringLiteral("trayMenu"));
    QAction *restore = addCommand("actionRestore", tqString(Sid::MenuRestore), &m_frame, &CMainFrame::restoreFromTray);
    m_trayMenu->addAction(restore);
    m_trayMenu->setDefaultAction(restore);
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(addCommand("actionTrayAbout", tqString(Sid::TrayMenuAbout), &m_frame, &CMainFrame::OnAbout));
    m_trayMenu->addAction(
        addCommand("actionCheckMailNow", tqString(Sid::MenuCheckMailNow), &m_mail, &MailControls::checkNow));
    m_trayMenu->addAction(m_frame.findChild<QAction *>(QStringLiteral("actionPreferences")));
    m_trayMenu->addAction(m_view.action(CTq20View::Command::PopupOnReceipt));
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(m_frame.findChild<QAction *>(QStringLiteral("actionExit")));

    m_mailMenu = new QMenu(&m_frame);
    m_mailMenu->setObjectName(QStringLiteral("mailMenu"));
    m_readMailAction = addCommand("actionReadMail", tqString(Sid::MenuReadMail), &m_mail, &MailControls::readMail);
    m_mailMenu->addAction(m_readMailAction);
    m_mailMenu->setDefaultAction(m_readMailAction);
    m_toggleMailAction = addCommand("actionToggleMailChecking", tqString(Sid::MenuDontCheckAnymore), &m_mail,
                                    &MailControls::toggleChecking);
    m_mailMenu->addAction(m_toggleMailAction);
    m_mailMenu->addAction(
        addCommand("actionMailSettings", tqString(Sid::MenuMailSettings), &m_frame, &CMainFrame::OnMailSettings));
    m_mailMenu->addSeparator();
    m_mailMenu->addAction(
        addCommand("actionHideMailIcons", tqString(Sid::MenuHideMailIcons), &m_mail, &MailControls::removeAllIcons));
    connect(m_mailMenu, &QMenu::aboutToShow, this, &MainFrameMenus::prepareMailMenu);
    prepareMailMenu();
}

void MainFrameMenus::prepareMailMenu()
{
    const bool checking = m_settings.get(keys::EnableMailCheking) != 0;
    m_toggleMailAction->setText(tqString(checking ? Sid::MenuDontCheckAnymore : Sid::StartChecking));
    m_readMailAction->setEnabled(!m_settings.get(keys::EMailProgram).isEmpty());
}

void MainFrameMenus::restoreBarState()
{
    const QByteArray layout = QByteArray::fromBase64(m_settings.get(keys::BarLayout).toLatin1());
    if (!layout.isEmpty())
        m_frame.restoreState(layout);
    m_statusBarAction->setChecked(m_settings.get(keys::StatusBarVisible) != 0);
    m_frame.statusBar()->setVisible(m_statusBarAction->isChecked());
}

void MainFrameMenus::saveBarState()
{
    m_settings.set(keys::BarLayout, QString::fromLatin1(m_frame.saveState().toBase64()));
    m_settings.set(keys::StatusBarVisible, m_statusBarAction->isChecked() ? 1 : 0);
}

} // namespace tq
