#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

namespace tq {

class CMainFrame;
class PresenceTracker;
class Prompter;
class ReceiptBoard;
class RetryScheduler;
class SettingsStore;
class StationDeliveryLater;
class WaitingMessagesWindow;
struct SendRequest;

// The main window's delivery later: the station's, woken by presence too; its reports in the
// status bar, as desktop notices and in boxes; and the "Waiting Messages" window.
class DeliveryLaterControls : public QObject {
    Q_OBJECT
public:
    // Made after the frame's view, status bar and presence.
    DeliveryLaterControls(CMainFrame &frame, SettingsStore &settings, Prompter &prompter, PresenceTracker &presence);
    ~DeliveryLaterControls() override;

    RetryScheduler &scheduler() const;
    const ReceiptBoard &receipts() const;
    // After the receivers have started; stop() before they stop.
    void start();
    void stop();

    // Keeps the message of `request` for the `destinations` it could not reach, and says how
    // that went.
    void keepForLater(const SendRequest &request, const QStringList &destinations);
    // "Waiting Messages": the window, brought to the front when it is open already.
    void showWindow();
    WaitingMessagesWindow *window() const;

Q_SIGNALS:
    // The number of waiting messages changed.
    void countChanged(int count);

private:
    void tell(const QString &text);

    CMainFrame &m_frame;
    Prompter &m_prompter;
    StationDeliveryLater *m_later = nullptr;
    QPointer<WaitingMessagesWindow> m_window;
};

} // namespace tq
