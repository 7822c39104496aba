#pragma once

#include "addressbook/AddressBookNames.h"
#include "addressbook/AddressBookStore.h"
#include "addressbook/DestinationComboBox.h"
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "settings/SettingsStore.h"
#include "station/MessageStation.h"

#include "protocol/ListeningStation.h"
#include "support/IsolatedHome.h"
#include "support/ManualClock.h"
#include "support/QtPrinters.h"
#include "support/RecordingPrompter.h"
#include "support/RecordingSoundPlayer.h"
#include "support/RecordingTrayIcon.h"
#include "support/SignalWaiter.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextCursor>

#include <memory>

namespace tq::test {

// The message view of a station in a plain window, past its initial update, with a mode and a
// send-time pane of its own; the main frame plays no part.
class StandaloneView : public IsolatedHome {
protected:
    StandaloneView()
    {
        settings.set(keys::FullName, QStringLiteral("Ann Author"));
        settings.set(keys::SystemName, QStringLiteral("ANNPC"));
        settings.set(keys::TcpPort, 7010);
    }

    void start()
    {
        station = std::make_unique<MessageStation>(settings, sound, clock, appDataDir());
        station->setOwnAddress("127.0.0.1");
        // A child, as in the main frame: the window goes before the view does.
        window = std::make_unique<QWidget>();
        view = new CTq20View(*station, settings, prompter, tray, clock, window.get());
        view->attachStatusPanes({&modePane, &timePane, nullptr});
        window->resize(420, 420);
        view->resize(420, 420);
        window->show();
        view->OnInitialUpdate();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void putUser(const QString &group, const char *name, const QString &host, bool active = true)
    {
        ASSERT_TRUE(book.PutUserKeepState(group, QString::fromUtf8(name), host, active));
    }

    // A received message from `sender`, shown as an arrival would show it.
    void showMessageFrom(const QByteArray &sender)
    {
        view->station().viewer().messages().appendNewest(
            {"Monday, 1 January 2024, 10:00:00\r\nhello", sender, {}, false});
        view->station().viewer().messages().selectNewest();
        view->showCurrentMessage();
        view->RefreshCounters();
    }

    // Types `text` over whatever the compose box holds, a line break as the Return key.
    void type(const QString &text)
    {
        compose()->setFocus();
        compose()->selectAll();
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(compose(), Qt::Key_Return);
            QTest::keyClicks(compose(), lines[i]);
        }
    }

    DestinationComboBox *box() const { return view->destinationBox(); }
    QLineEdit *field() const { return view->destinationBox()->lineEdit(); }
    MessageEdit *compose() const { return view->composeBox(); }
    QString selected() const
    {
        return compose()->textCursor().selectedText().replace(QChar(0x2029), QLatin1Char('\n'));
    }
    // The list as "text=code" items, in list order.
    QStringList entries() const
    {
        QStringList result;
        for (int i = 0; i < box()->count(); ++i)
            result.append(box()->itemText(i) + QLatin1Char('=') + QString::number(box()->codeAt(i)));
        return result;
    }

    SettingsStore settings;
    AddressBookStore book;
    const QString top = addressbook::topLevelName();
    RecordingPrompter prompter;
    RecordingSoundPlayer sound;
    RecordingTrayIcon tray;
    ManualClock clock;
    QLabel modePane;
    QLabel timePane;
    std::unique_ptr<MessageStation> station;
    std::unique_ptr<QWidget> window;
    CTq20View *view = nullptr;
};

} // namespace tq::test
