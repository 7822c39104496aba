#pragma once

#include "protocol/SendRequest.h"
#include "protocol/SendResultCode.h"
#include "settings/SettingsStore.h"

#include <QObject>
#include <QString>

#include <list>
#include <memory>

namespace tq {

class CSendThread;

// Starts sends and keeps them until they end; several may run at once, each reporting on
// its own under the number start() gave it. Lives on the user-interface thread, where its
// signals arrive.
class SendTasks : public QObject {
    Q_OBJECT
public:
    explicit SendTasks(const SettingsStore &settings, SendServices services = {}, QObject *parent = nullptr);
    // Stops the sends still running (they report nothing more) and waits for them.
    ~SendTasks() override;

    // Starts one send; its reports arrive through the signals below under the number returned.
    quint64 start(SendRequest request);
    int runningCount() const { return static_cast<int>(m_tasks.size()); }

Q_SIGNALS:
    // The send-result event of one send: see CSendThread.
    void sendResult(quint64 send, tq::SendResultCode code, const QString &text);
    void statusText(quint64 send, const QString &text);
    // The send has ended: it reports nothing more.
    void sendFinished(quint64 send);

private:
    struct Running {
        quint64 send = 0;
        std::unique_ptr<CSendThread> task;
    };
    void reap();

    const SettingsStore m_settings;
    const SendServices m_services;
    std::list<Running> m_tasks;
    quint64 m_lastSend = 0;
};

} // namespace tq
