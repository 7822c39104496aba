#include "app/CTq20App.h"

#include "addressbook/CAddressBookDlg.h"
#include "app/CMainFrame.h"
#include "app/FirstRunDefaults.h"
#include "app/PowerNotices.h"
#include "app/PresenceControls.h"
#include "app/SingleInstance.h"
#include "app/SystemTrayIcon.h"
#include "platform/CanberraSoundPlayer.h"
#include "platform/Clock.h"
#include "platform/MemoryTrim.h"
#include "platform/ProgramFolders.h"
#include "platform/Prompter.h"
#include "platform/SystemIdentity.h"
#include "platform/TerminationSignals.h"
#include "presence/PresenceTracker.h"
#include "res/PaintedIcons.h"
#include "res/StringTable.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsFallback.h"
#include "settings/SettingsStore.h"
#include "ui/WidgetPrompter.h"

#include <QApplication>
#include <QSessionManager>
#include <QStatusBar>

namespace tq {

CTq20App::CTq20App(AppOptions options, AppServices services, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_services(services)
{
}

CTq20App::~CTq20App()
{
    // The frame goes first: it uses the services until its end.
    m_frame.reset();
}

AppOptions CTq20App::parseArguments(const QStringList &arguments)
{
    AppOptions options;
    options.startMinimized = arguments.contains(QStringLiteral("--minimized"));
    return options;
}

bool CTq20App::InitInstance()
{
    // The settings root: "Tarquel International" / "TarquelMessenger".
    QCoreApplication::setOrganizationName(QStringLiteral("Tarquel International"));
    QCoreApplication::setApplicationName(QStringLiteral("TarquelMessenger"));
    // The menu entry's name, by which the desktop matches the windows to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tarquel-messenger"));
    m_settingsFile = std::make_unique<SettingsFallback>(SettingsStore::defaultFilePath());
    m_settings = std::make_unique<SettingsStore>(m_settingsFile->storeFilePath());

    m_instance = std::make_unique<SingleInstance>();
    if (!m_instance->claim())
        return false;

    // Taken over before anything listens: a signal from now on waits for the event loop
    // instead of ending the program on the spot.
    auto *termination = new TerminationSignals(this);

    AppDataDir::initialise();
    // The first-run names go in before any window is built: the view keeps its own copy of
    // the settings, and a copy taken without them sends messages with no system name, which
    // every station discards.
    applyFirstRunDefaults(*m_settings, accountFullName(), computerName());

    if (!m_services.prompter) {
        m_ownPrompter = std::make_unique<WidgetPrompter>();
        m_services.prompter = m_ownPrompter.get();
    }
    if (!m_services.sound) {
        m_ownSound = std::make_unique<CanberraSoundPlayer>([] { QApplication::beep(); }, programDataFolders());
        m_services.sound = m_ownSound.get();
    }
    if (!m_services.tray) {
        m_ownTray = std::make_unique<SystemTrayIcon>();
        m_services.tray = m_ownTray.get();
    }
    if (!m_services.clock)
        m_services.clock = &steadyClock();

    // The program lives on in the tray with no window open; it ends only through the frame.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setWindowIcon(paintedIcon(QStringLiteral("IDI_AMAINFRAME")));
    m_frame = std::make_unique<CMainFrame>(*m_settings, *m_services.prompter, *m_services.sound, *m_services.tray,
                                           *m_services.clock, AppDataDir::path());
    if (m_ownPrompter)
        m_ownPrompter->setParent(m_frame.get());
    if (m_services.shell)
        m_frame->setShell(*m_services.shell);
    m_frame->setAddressBookDialog([this](QWidget *owner) {
        CAddressBookDlg dialog(*m_settings, *m_services.prompter, *m_services.sound, owner);
        dialog.setPresenceSource(&m_frame->presence().tracker());
        // Questions and messages of the dialog sit over the dialog, not under it.
        if (m_ownPrompter)
            m_ownPrompter->setParent(&dialog);
        const bool accepted = dialog.exec() == QDialog::Accepted;
        if (m_ownPrompter)
            m_ownPrompter->setParent(m_frame.get());
        return accepted;
    });
    m_settings->set(keys::ClassName, m_instance->serverName());
    connect(m_frame.get(), &CMainFrame::ended, this, &CTq20App::onFrameEnded);
    connect(m_instance.get(), &SingleInstance::restoreRequested, m_frame.get(), [this] {
        m_frame->restoreFromTray();
        if (m_services.tray->isAvailable() && !m_services.tray->isShown())
            m_services.tray->show();
    });

    m_frame->initialUpdate();
    showMainWindow();
    tellOnceThatThereIsNoTray();

    m_powerNotices = new PowerNotices(this);
    connect(m_powerNotices, &PowerNotices::suspending, m_frame.get(), [this] {
        m_frame->OnSuspend();
        m_powerNotices->releaseSleepDelay();
    });
    connect(m_powerNotices, &PowerNotices::resuming, m_frame.get(), &CMainFrame::OnResume);

    // Log-off and shutdown end the program as Exit does.
    connect(qApp, &QGuiApplication::commitDataRequest, m_frame.get(), [this](QSessionManager &) { m_frame->OnExit(); });
    connect(qApp, &QCoreApplication::aboutToQuit, m_frame.get(), [this] { m_frame->OnExit(); });
    // So do a terminating signal and a closed terminal, also one that came during start-up.
    connect(termination, &TerminationSignals::terminationRequested, m_frame.get(), [this] { m_frame->OnExit(); });

    tellWhenSettingsAreUnreadable();
    trimResidentMemory();
    return true;
}

void CTq20App::tellWhenSettingsAreUnreadable()
{
    if (!m_settingsFile->active())
        return;
    // Once the window is up, so the box has something to stand over.
    QMetaObject::invokeMethod(
        m_frame.get(),
        [this] {
            const QByteArray path = m_settingsFile->userFilePath().toUtf8();
            m_services.prompter->message(tqString(Sid::AppName),
                                         tqFormat(Sid::SettingsFileUnreadable, path.constData()),
                                         Prompter::Icon::Exclamation);
        },
        Qt::QueuedConnection);
}

void CTq20App::showMainWindow()
{
    if (!m_options.startMinimized)
        m_frame->show();
    else if (!m_services.tray->isAvailable())
        m_frame->showMinimized();
    // Otherwise the window stays hidden and the tray icon brings it up.
}

void CTq20App::tellOnceThatThereIsNoTray()
{
    if (m_services.tray->isAvailable() || m_settings->get(keys::NoTrayNoticeShown) != 0)
        return;
    // Over the status line for a while; the listener's status comes back after it.
    m_frame->statusBar()->showMessage(tqString(Sid::NoTrayStatus), kNoTrayStatusMs);
    m_services.tray->showMessage(tqString(Sid::AppName), tqString(Sid::NoTrayNotice));
    m_settings->set(keys::NoTrayNoticeShown, 1);
}

void CTq20App::onFrameEnded()
{
    if (m_ended)
        return;
    m_ended = true;
    Q_EMIT ended();
    if (m_running)
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

int CTq20App::run()
{
    if (!InitInstance())
        return 1;
    m_running = true;
    return QApplication::exec();
}

} // namespace tq
