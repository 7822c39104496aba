#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>

namespace tq {

// Suspend and resume notices from the login manager on the system bus. Without a system bus
// (or without a login manager) no notice ever comes, and the program runs on regardless.
// While it listens it holds a short sleep delay, so the background processes can be stopped
// before the machine goes to sleep; releaseSleepDelay() lets the sleep go ahead.
class PowerNotices : public QObject {
    Q_OBJECT
public:
    explicit PowerNotices(QObject *parent = nullptr);
    ~PowerNotices() override;

    bool isListening() const { return m_listening; }
    void releaseSleepDelay();

Q_SIGNALS:
    void suspending();
    void resuming();

private Q_SLOTS:
    // Called by the bus by name, so it stays a slot.
    void onPrepareForSleep(bool sleeping);

private:
    void takeSleepDelay();

    bool m_listening = false;
    QDBusUnixFileDescriptor m_sleepDelay;
};

} // namespace tq
