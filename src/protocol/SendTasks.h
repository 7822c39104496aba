#pragma once

#include "protocol/SendRequest.h"
#include "settings/SettingsStore.h"

#include <QObject>
#include <QString>

#include <list>
#include <memory>

namespace tq {

class CSendThread;

// Starts sends and keeps them until they end; several may run at once, each reporting on
// its own. Lives on the user-interface thread, where its signals arrive.
class SendTasks : public QObject {
    Q_OBJECT
public:
    explicit SendTasks(const SettingsStore &settings, SendServices services = {}, QObject *parent = nullptr);
    // Stops the sends still running (they report nothing more) and waits for them.
    ~SendTasks() override;

    // Starts one send; its results arrive through the signals below.
    void start(SendRequest request);
    // Starts a send of `packetText` to `destinations` with the sender's settings.
    void start(const QString &destinations, const QByteArray &packetText, const QByteArray &plainText,
               QByteArrayView ownIp, char importance = '0');
    int runningCount() const { return static_cast<int>(m_tasks.size()); }

Q_SIGNALS:
    // The send-result event: codes 0, 4, 5, 6 and 10 + n.
    void sendResult(int code, const QString &text);
    void statusText(const QString &text);

private:
    void reap();

    const SettingsStore m_settings;
    const SendServices m_services;
    std::list<std::unique_ptr<CSendThread>> m_tasks;
};

} // namespace tq
