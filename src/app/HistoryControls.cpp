#include "app/HistoryControls.h"

#include "addressbook/DestinationComboBox.h"
#include "history/HistoryWindow.h"
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "station/MessageStation.h"

#include <QAction>
#include <QWidget>

namespace tq {

HistoryControls::HistoryControls(MessageStation &station, CTq20View &view, const SettingsStore &settings,
                                 Prompter &prompter, QWidget *windowParent)
    : QObject(windowParent)
    , m_station(station)
    , m_view(view)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_windowParent(windowParent)
{
    auto *action = new QAction(tr("&History\tCtrl+H"), windowParent);
    action->setObjectName(QStringLiteral("actionHistory"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    action->setShortcutVisibleInContextMenu(false);
    connect(action, &QAction::triggered, this, &HistoryControls::showWindow);
    windowParent->addAction(action);

    // The files the start-up load read are not read again: the index shares their bytes.
    connect(&station, &MessageStation::storedMessagesRead, this,
            [this](const std::vector<StoredMessageFile> &files) { m_index.build(files); });
    connect(&station, &MessageStation::messageFileWritten, this,
            [this](const MessageRecord &record) { m_index.add(record); });
    connect(&station, &MessageStation::messagesRemoved, this, [this](const QStringList &filePaths) {
        for (const QString &path : filePaths)
            m_index.remove(path);
    });
}

HistoryControls::~HistoryControls()
{
    // The window works with the index: it goes first.
    delete m_window;
}

void HistoryControls::showWindow()
{
    if (!m_window) {
        m_window = new HistoryWindow(m_index, m_settings, m_prompter, m_windowParent);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_window, &HistoryWindow::replyRequested, this, &HistoryControls::reply);
        connect(m_window, &HistoryWindow::messageDeleted, this, &HistoryControls::removeFromMessageList);
    }
    if (m_window->isMinimized())
        m_window->showNormal();
    else
        m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void HistoryControls::removeFromMessageList(const QString &filePath)
{
    const auto shownSerial = [this] {
        const MessageRecord *current = m_station.messages().current();
        return current ? current->serial : 0;
    };
    const quint64 shownBefore = shownSerial();
    m_station.removeMessageFile(filePath);
    if (shownSerial() == shownBefore)
        return;
    // The message on display was the one deleted: the main view shows the one in its place.
    if (m_station.messages().current())
        m_view.showCurrentMessage();
    else
        m_view.messagePane()->setProgramText({});
}

void HistoryControls::reply(const QString &destination, const QString &quote)
{
    // As for the shown message: its sender into the destination field, the quote into the
    // compose box.
    m_view.destinationBox()->setEditText(destination);
    m_view.setComposeText(quote);
}

HistoryWindow *HistoryControls::window() const
{
    return m_window;
}

} // namespace tq
