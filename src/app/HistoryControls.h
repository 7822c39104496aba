#pragma once

#include "history/HistoryIndex.h"

#include <QObject>
#include <QPointer>

namespace tq {

class CTq20View;
class HistoryWindow;
class MessageStation;
class Prompter;
class SettingsStore;

// The main window's history: the index of every stored message, made from the files the
// start-up load read and kept current with the station's arrivals and deletions, and the one
// History window, made when it is first asked for.
class HistoryControls : public QObject {
    Q_OBJECT
public:
    HistoryControls(MessageStation &station, CTq20View &view, const SettingsStore &settings, Prompter &prompter,
                    QWidget *windowParent);
    ~HistoryControls() override;

    // The History window, brought to the front; made the first time.
    void showWindow();
    HistoryWindow *window() const;
    HistoryIndex &index() { return m_index; }

private:
    void reply(const QString &destination, const QString &quote);
    // The History window deleted the file: its record leaves the message list.
    void removeFromMessageList(const QString &filePath);

    MessageStation &m_station;
    CTq20View &m_view;
    const SettingsStore &m_settings;
    Prompter &m_prompter;
    QWidget *m_windowParent;
    HistoryIndex m_index;
    QPointer<HistoryWindow> m_window;
};

} // namespace tq
