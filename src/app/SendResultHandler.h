#pragma once

#include "protocol/SendResultCode.h"

#include <QObject>
#include <QPointer>
#include <QString>
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

public Q_SLOTS:
    void onSendResult(tq::SendResultCode code, const QString &text);
    void onStatusText(const QString &text);

private:
    void sendSucceeded();
    void listFailures(SendResultCode code, const QString &hosts);
    void setStatusLine(const QString &text) const;

    Prompter &m_prompter;
    SoundPlayer &m_sounds;
    SettingsStore &m_settings;
    const Frame m_frame;
    QPointer<QWidget> m_dialogParent;
};

} // namespace tq
