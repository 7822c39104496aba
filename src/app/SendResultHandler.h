#pragma once

#include "protocol/SendRequest.h"
#include "protocol/SendResultCode.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace tq {

class Prompter;
class SettingsStore;
class SoundPlayer;

// The main frame's handling of the send-result event: the outcome of each send, and the
// receivers' listening and port-busy reports, as status texts, boxes, a sound or the list of
// failed destinations. The frame owns it and hands it the station's reports. (The view stops
// its elapsed-time display on a send's final report by itself.)
class SendResultHandler : public QObject {
    Q_OBJECT
public:
    // The parts of the main frame the handler changes.
    struct Frame {
        std::function<void(const QString &)> setStatusLine; // the status bar's message line
        std::function<void(const QString &)> setModePane; // status-bar pane 0
    };

    // `dialogParent`: the window the failed-hosts dialog belongs to.
    SendResultHandler(Prompter &prompter, SoundPlayer &sounds, SettingsStore &settings, Frame frame,
                      QWidget *dialogParent = nullptr, QObject *parent = nullptr);

    // Keeps the message of a send for delivery later to the destinations the user picked; until
    // it is set, nothing is offered.
    using KeepForLater = std::function<void(const SendRequest &request, const QStringList &destinations)>;
    void setKeepForLater(KeepForLater keep) { m_keepForLater = std::move(keep); }
    // The request of send `send`, for the list of its failed destinations.
    void noteRequest(quint64 send, const SendRequest &request);
    void forgetRequest(quint64 send) { m_requests.remove(send); }

public Q_SLOTS:
    // `send`: the number of the send whose outcome this is; 0 for a receiver's state.
    void onSendResult(tq::SendResultCode code, const QString &text, quint64 send = 0);
    void onStatusText(const QString &text);

private:
    void sendSucceeded();
    void listFailures(SendResultCode code, const QString &hosts, quint64 send);
    void setStatusLine(const QString &text) const;

    Prompter &m_prompter;
    SoundPlayer &m_sounds;
    SettingsStore &m_settings;
    const Frame m_frame;
    QPointer<QWidget> m_dialogParent;
    KeepForLater m_keepForLater;
    QHash<quint64, SendRequest> m_requests;
};

} // namespace tq
