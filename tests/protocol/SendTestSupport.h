#pragma once

#include "platform/UniqueFd.h"
#include "platform/WakeupEvent.h"
#include "protocol/CSendThread.h"
#include "settings/SettingsStore.h"
#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

namespace tq::test {

using SendResults = std::vector<std::pair<int, QString>>;

// Everything one send reported, in order of arrival.
struct SendOutcome {
    SendResults results;
    QStringList statuses;
    qint64 elapsedMs = 0;
    bool ended = false;
};

// Starts `request` and runs the event loop until the task has ended (or `timeoutMs` passed).
SendOutcome runSend(SendRequest request, const SettingsStore &settings, SendServices services = {},
                    int timeoutMs = 10000);

// A request to `destinations` carrying a small message, with the given default ports.
SendRequest sendRequest(const QString &destinations, int tcpPort, int udpPort, int budgetMs = 3000);

// Each send test with settings of its own in a temporary home.
class SendFixture : public IsolatedHome {
protected:
    SettingsStore settings;
};

// A TCP station on 127.0.0.1 that behaves as a test needs: it reads each packet and then
// answers what it is told, closes without a word, or never answers at all.
class RawStation {
public:
    enum class Mode { Answer, CloseSilently, NeverAnswer };
    explicit RawStation(Mode mode, QByteArray answer = {});
    ~RawStation();

    int port() const { return m_port; }
    int accepted() const { return m_accepted.load(); }

private:
    void run();

    const Mode m_mode;
    const QByteArray m_answer;
    UniqueFd m_listen;
    int m_port = 0;
    WakeupEvent m_wakeup;
    std::atomic<int> m_accepted{0};
    std::thread m_thread;
};

// A UDP socket on 127.0.0.1 that collects datagrams.
struct UdpSink {
    UniqueFd fd = udpSocket();
    int port() const { return boundPort(fd.get()); }
    QByteArray receive(int timeoutMs = 3000) const { return receiveDatagram(fd.get(), timeoutMs); }
};

} // namespace tq::test
