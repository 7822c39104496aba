#include "app/CMainFrame.h"

#include "protocol/CReceiveThread.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"

#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>

namespace tq {

CMainFrame::CMainFrame(SettingsStore &settings, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(settings)
{
    setWindowTitle(tqString(Sid::AppTitle));
    m_modePane = new QLabel(this);
    m_modePane->setObjectName(QStringLiteral("statusPane0"));
    statusBar()->addWidget(m_modePane, 1);
    resize(m_settings.get(keys::Width), m_settings.get(keys::Height));
}

CMainFrame::~CMainFrame()
{
    StopProcesses();
}

void CMainFrame::StartProcesses()
{
    const int useProtocol = m_settings.get(keys::UseProtocol);
    if (useProtocol == 0 || useProtocol == 2) {
        m_tcpReceiver = std::make_unique<CReceiveThread>(m_settings.get(keys::TcpPort));
        connect(m_tcpReceiver.get(), &CReceiveThread::sendResult, this, &CMainFrame::onSendResult);
        connect(m_tcpReceiver.get(), &CReceiveThread::criticalError, this, &CMainFrame::onCriticalError);
        m_tcpReceiver->start();
    }
}

void CMainFrame::StopProcesses()
{
    if (m_tcpReceiver)
        m_tcpReceiver->stop();
    m_tcpReceiver.reset();
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
    QMessageBox box(QMessageBox::Warning, tqString(Sid::AppName), message, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace tq
