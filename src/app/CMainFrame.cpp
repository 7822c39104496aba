#include "app/CMainFrame.h"

#include "messages/CTq20View.h"
#include "platform/Prompter.h"
#include "platform/TrayIcon.h"
#include "protocol/CReceiveThread.h"
#include "protocol/CUDPReceiveThread.h"
#include "res/PaintedIcons.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace tq {

CMainFrame::CMainFrame(SettingsStore &settings, Prompter &prompter, SoundPlayer &sound, TrayIcon &tray,
    const Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_tray(tray)
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(paintedIcon(QStringLiteral("IDI_AMAINFRAME")));
    setWindowTitle(tqString(Sid::AppTitle));
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    m_view = new CTq20View(settings, prompter, sound, tray, clock, this);
    setCentralWidget(m_view);
    createMenus();
    createStatusBar();
    applyStoredPlacement();

    connect(m_view, &CTq20View::minimizeRequested, this, &CMainFrame::minimizeToTray);
    connect(m_view, &CTq20View::restoreRequested, this, &CMainFrame::restoreFromTray);
    m_tray.setActivationHandler([this](TrayIcon::Activation activation) {
        if (activation == TrayIcon::Activation::Click)
            restoreFromTray();
    });
    connect(&m_trayRefreshTimer, &QTimer::timeout, this, &CMainFrame::refreshTrayIcon);
}

CMainFrame::~CMainFrame()
{
    m_tray.setActivationHandler({});
    StopProcesses();
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
    QAction *exit = message->addAction(tqString(Sid::MenuExit));
    exit->setObjectName(QStringLiteral("actionExit"));
    connect(exit, &QAction::triggered, this, &CMainFrame::OnExit);

    menuBar()->addMenu(m_view->editMenu());

    QMenu *view = menuBar()->addMenu(tqString(Sid::MenuViewTitle));
    view->setObjectName(QStringLiteral("viewMenu"));
    view->addAction(m_view->action(C::PopupOnReceipt));

    auto *minimize = new QAction(this);
    minimize->setObjectName(QStringLiteral("actionMinimizeToTray"));
    minimize->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(minimize, &QAction::triggered, this, &CMainFrame::minimizeToTray);
    addAction(minimize);
}

void CMainFrame::createStatusBar()
{
    m_modePane = new QLabel(this);
    m_modePane->setObjectName(QStringLiteral("statusPane0"));
    statusBar()->addWidget(m_modePane, 1);
    m_sendTimePane = new QLabel(tqFormat(Sid::SendTime, 0, 0), this);
    m_sendTimePane->setObjectName(QStringLiteral("statusPane1"));
    statusBar()->addPermanentWidget(m_sendTimePane);
    m_positionPane = new QLabel(this);
    m_positionPane->setObjectName(QStringLiteral("statusPane2"));
    m_positionPane->setMinimumWidth(20);
    statusBar()->addPermanentWidget(m_positionPane);
    m_view->attachStatusPanes({ m_modePane, m_sendTimePane, m_positionPane });
}

QLabel *CMainFrame::statusPane(int index) const
{
    switch (index) {
    case 0:
        return m_modePane;
    case 1:
        return m_sendTimePane;
    case 2:
        return m_positionPane;
    default:
        return nullptr;
    }
}

void CMainFrame::initialUpdate()
{
    StartProcesses();
    m_view->OnInitialUpdate();
}

void CMainFrame::StartProcesses()
{
    stopReceivers();
    const int useProtocol = m_settings.get(keys::UseProtocol);
    if (useProtocol == 0 || useProtocol == 2)
        startTcpReceiver();
    if (useProtocol == 1 || useProtocol == 2)
        startUdpReceiver();
    m_trayRefreshTimer.start(kTrayRefreshMs);
    if (m_settings.get(keys::EnableMailCheking) == 0)
        m_mailCheckTimer.stop();
    else
        startMailChecking();
}

void CMainFrame::StopProcesses()
{
    stopReceivers();
    m_mailCheckTimer.stop();
    m_trayRefreshTimer.stop();
}

void CMainFrame::startTcpReceiver()
{
    m_tcpReceiver = std::make_unique<CReceiveThread>(m_settings.get(keys::TcpPort));
    connect(m_tcpReceiver.get(), &CReceiveThread::sendResult, this, &CMainFrame::onSendResult);
    connect(m_tcpReceiver.get(), &CReceiveThread::criticalError, this, &CMainFrame::onCriticalError);
    connect(m_tcpReceiver.get(), &CReceiveThread::incomingMessage, m_view, &CTq20View::OnIncomingMessage);
    m_tcpReceiver->start();
}

void CMainFrame::startUdpReceiver()
{
    m_udpReceiver = std::make_unique<CUDPReceiveThread>(effectiveUdpPort(m_settings));
    connect(m_udpReceiver.get(), &CUDPReceiveThread::sendResult, this, &CMainFrame::onSendResult);
    connect(m_udpReceiver.get(), &CUDPReceiveThread::criticalError, this, &CMainFrame::onCriticalError);
    connect(m_udpReceiver.get(), &CUDPReceiveThread::incomingMessage, m_view, &CTq20View::OnIncomingMessage);
    m_udpReceiver->start();
}

void CMainFrame::startMailChecking()
{
    // The mailbox check is started here once it exists: the mail settings are copied, one
    // check runs at once, and m_mailCheckTimer repeats it every "MailChekingTime" minutes.
}

void CMainFrame::stopReceivers()
{
    // Each receiver wakes its own thread and joins it; none is ever ended by force.
    if (m_tcpReceiver)
        m_tcpReceiver->stop();
    m_tcpReceiver.reset();
    if (m_udpReceiver)
        m_udpReceiver->stop();
    m_udpReceiver.reset();
}

void CMainFrame::refreshTrayIcon()
{
    // The notification area may have restarted without the icon: it comes back in its
    // resting look until the next counter update.
    if (m_tray.isShown())
        return;
    m_tray.setIconName(QStringLiteral("IDI_AMAINFRAME"));
    m_tray.setToolTip(tqString(Sid::TrayListening));
    m_tray.show();
}

QString CMainFrame::listenerStatusText() const
{
    return m_modePane->text();
}

void CMainFrame::onSendResult(int code, const QString &text)
{
    if (code == 2)
        m_modePane->setText(text + tqString(Sid::ListeningSuffix));
    else if (code == 3)
        m_modePane->setText(text + tqString(Sid::PortBusyStatusSuffix));
}

void CMainFrame::onCriticalError(const QString &message)
{
    m_prompter.message(tqString(Sid::AppName), message, Prompter::Icon::Exclamation);
}

} // namespace tq
