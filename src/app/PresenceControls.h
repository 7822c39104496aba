#pragma once

#include "protocol/SendResultCode.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>

namespace tq {

class CMainFrame;
class Clock;
class FindStationsDialog;
class PresenceTracker;
class Prompter;
class SettingsStore;
struct MessageRecord;
struct SendRequest;

// The main window's presence: the tracker of who in the address book is there, fed with what
// the station sees (arrivals, the outcome of each send), shown in the destination field, the
// Address Book dialog and the status bar; and the "Find Stations..." command.
class PresenceControls : public QObject {
    Q_OBJECT
public:
    // Made after the frame's view and status bar.
    PresenceControls(CMainFrame &frame, SettingsStore &settings, Prompter &prompter, const Clock &clock);

    PresenceTracker &tracker() const { return *m_tracker; }
    void start();
    void stop();
    // "Find Stations...": the dialog, brought to the front when it is open already.
    void showFindStations();
    FindStationsDialog *findStationsDialog() const;

Q_SIGNALS:
    // "Find Stations..." added users to the address book.
    void addressBookChanged();

private:
    void onSendResult(quint64 send, SendResultCode code, const QString &text);

    CMainFrame &m_frame;
    SettingsStore &m_settings;
    Prompter &m_prompter;
    PresenceTracker *m_tracker = nullptr;
    QPointer<FindStationsDialog> m_findStations;
    // The destinations of each send under way, by its number.
    QHash<quint64, QStringList> m_sendDestinations;
};

} // namespace tq
