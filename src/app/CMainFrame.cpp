#include "app/CMainFrame.h"

#include "app/AboutDialog.h"
#include "app/HelpPages.h"
#include "app/MailTrayIcons.h"
#include "app/SendResultHandler.h"
#include "app/StatusNotices.h"
#include "mail/BackgroundMailCheck.h"
#include "mail/CMailCheckDlg.h"
#include "mail/MailAnnouncer.h"
#include "mail/MailCounts.h"
#include "messages/CTq20View.h"
#include "platform/Prompter.h"
#include "platform/TrayIcon.h"
#include "prefs/CMyPropertySheet.h"
#include "protocol/CReceiveThread.h"
#include "protocol/CUDPReceiveThread.h"
#include "protocol/SendTasks.h"
#include "res/PaintedIcons.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"
#include "ui/DesktopShell.h"

#include <QLabel>
#include <QStatusBar>

namespace tq {

CMainFrame::CMainFrame(SettingsStore &settings, Prompter &prompter, SoundPlayer &sound, TrayIcon &tray,
                       const Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_sound(sound)
    , m_tray(tray)
    , m_ownShell(std::make_unique<DesktopShell>())
    , m_shell(m_ownShell.get())
    , m_helpFolders(HelpPages::defaultFolders())
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(paintedIcon(QStringLiteral("IDI_AMAINFRAME")));
    setWindowTitle(tqString(Sid::AppTitle));
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    m_mailTray = new MailTrayIcons(this);
    m_mailAnnouncer = std::make_unique<MailAnnouncer>(*m_mailTray, sound);
    m_mailCheck = std::make_unique<BackgroundMailCheck>(settings, *m_mailAnnouncer, MailCounts::process());

    m_view = new CTq20View(settings, prompter, sound, tray, clock, this);
    setCentralWidget(m_view);
    createMenus();
    createToolBar();
    createTrayMenus();
    createStatusBar();
    restoreBarState();
    applyStoredPlacement();

    // The status line and the mode text share pane 0.
    const auto showInPaneZero = [this](const QString &text) { m_modePane->setText(text); };
    m_sendResults = new SendResultHandler(
        prompter, sound, settings, {showInPaneZero, showInPaneZero, [this] { m_view->stopSendTimer(); }}, this, this);
    connect(&m_view->sendTasks(), &SendTasks::sendResult, m_sendResults,
            [this](quint64, SendResultCode code, const QString &text) { m_sendResults->onSendResult(code, text); });
    connect(&m_view->sendTasks(), &SendTasks::statusText, m_sendResults,
            [this](quint64, const QString &text) { m_sendResults->onStatusText(text); });

    connect(m_view, &CTq20View::minimizeRequested, this, &CMainFrame::minimizeToTray);
    connect(m_view, &CTq20View::restoreRequested, this, &CMainFrame::restoreFromTray);
    connect(m_view, &CTq20View::messageArrived, this, &CMainFrame::announceNewMessage);
    connect(m_view, &CTq20View::largeMessageFilesSkipped, this, [this](int count) {
        m_notices->setNotice(StatusNotices::Topic::StoredMessages, tqFormat(Sid::LargeMessageFilesSkipped, count));
    });
    m_tray.setActivationHandler([this](TrayIcon::Activation activation) { onMainTrayActivated(activation); });
    m_tray.setContextMenu(m_trayMenu);
    m_mailTray->setActivationHandler([this](TrayIcon::Activation activation) { onMailTrayActivated(activation); });
    m_mailTray->setContextMenu(m_mailMenu);
    m_mailTray->setNewMailHandler([this](const QString &tip) { showDesktopNotice(tip); });
    connect(&m_trayRefreshTimer, &QTimer::timeout, this, &CMainFrame::refreshTrayIcon);
}

CMainFrame::~CMainFrame()
{
    m_tray.setActivationHandler({});
    m_tray.setContextMenu(nullptr);
    // The dialogs go first: they work with the mail services below.
    delete m_mailCheckDialog;
    delete m_sheet;
    delete m_about;
    StopProcesses();
    m_mailCheck.reset();
    m_mailAnnouncer.reset();
}

void CMainFrame::setShell(Shell &shell)
{
    m_shell = &shell;
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
    m_notices = new StatusNotices(this);
    statusBar()->addWidget(m_notices);
    m_view->attachStatusPanes({m_modePane, m_sendTimePane, m_positionPane});
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
    showPortSettingFaults();
    const int useProtocol = m_settings.get(keys::UseProtocol);
    if (useProtocol == 0 || useProtocol == 2)
        startTcpReceiver();
    if (useProtocol == 1 || useProtocol == 2)
        startUdpReceiver();
    m_trayRefreshTimer.start(kTrayRefreshMs);
    if (m_settings.get(keys::EnableMailCheking) == 0)
        m_mailCheck->stop();
    else
        startMailChecking();
}

void CMainFrame::StopProcesses()
{
    stopReceivers();
    if (m_mailCheck)
        m_mailCheck->stop();
    m_trayRefreshTimer.stop();
}

void CMainFrame::showPortSettingFaults()
{
    QStringList texts;
    for (const PortSettingFault &fault : portSettingFaults(m_settings))
        texts.append(tqFormat(Sid::PortSettingOutOfRange, fault.entry, fault.stored, fault.used));
    m_notices->setNotice(StatusNotices::Topic::Ports, texts.join(QLatin1Char(' ')));
}

void CMainFrame::startTcpReceiver()
{
    m_tcpReceiver = std::make_unique<CReceiveThread>(tcpPort(m_settings));
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
    // The mailboxes are copied now; one check runs at once, then one every "MailChekingTime"
    // minutes.
    m_mailCheck->start(MailSettingsCache::read(m_settings), m_settings.get(keys::MailChekingTime));
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

void CMainFrame::onSendResult(SendResultCode code, const QString &text)
{
    m_sendResults->onSendResult(code, text);
}

void CMainFrame::onCriticalError(const QString &message)
{
    m_prompter.message(tqString(Sid::AppName), message, Prompter::Icon::Exclamation);
}

} // namespace tq
