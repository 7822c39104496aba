#pragma once

#include <QMainWindow>

#include <memory>

class QLabel;

namespace tq {

class CReceiveThread;
class SettingsStore;

// The main window. For now it runs the TCP listener and shows its state in the status bar.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(SettingsStore &settings, QWidget *parent = nullptr);
    ~CMainFrame() override;

    void StartProcesses();
    void StopProcesses();

    QString listenerStatusText() const;

private:
    void onSendResult(int code, const QString &text);
    void onCriticalError(const QString &message);

    SettingsStore &m_settings;
    QLabel *m_modePane = nullptr;
    std::unique_ptr<CReceiveThread> m_tcpReceiver;
};

} // namespace tq
