#include "messages/StandaloneView.h"

#include "addressbook/TemplateFiles.h"
#include "protocol/MessagePacket.h"
#include "protocol/SendTasks.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

namespace tq {
namespace {

using Station = test::ListeningStation;

class ViewSendingTest : public test::StandaloneView {
protected:
    ViewSendingTest()
    {
        settings.set(keys::FullName, QStringLiteral("Ann Author"));
        settings.set(keys::SystemName, QStringLiteral("ANNPC"));
        settings.set(keys::EmailAddress, QStringLiteral("ann@example.org"));
        settings.set(keys::TcpPort, 7010);
    }

    // Stations come first, so the address book can name their ports.
    void addStations(int count)
    {
        for (int i = 0; i < count; ++i)
            stations.push_back(std::make_unique<Station>());
    }

    void startView()
    {
        start();
        QObject::connect(&view->sendTasks(), &SendTasks::sendResult, &context,
                         [this](int code, const QString &) { results.push_back(code); });
    }

    // The stream packet a station gets from this view.
    static QByteArray expected(const QByteArray &text, char importance = '0')
    {
        return BuildStreamPacket({{}, text, "ANNPC", importance, "ann@example.org"}, "127.0.0.1", 7010);
    }

    void compose(const QString &text)
    {
        view->composeBox()->setFocus();
        view->composeBox()->selectAll();
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(view->composeBox(), Qt::Key_Return);
            QTest::keyClicks(view->composeBox(), lines[i]);
        }
    }

    bool allReceived(int perStation)
    {
        return test::waitUntil([&] {
            for (const auto &station : stations) {
                if (station->packets.size() < perStation)
                    return false;
            }
            return true;
        });
    }

    bool sendsEnded()
    {
        return test::waitUntil([&] { return view->sendTasks().runningCount() == 0; });
    }

    QString templateText(const QString &baseName) const
    {
        QFile file(appDataDir() + baseName + QStringLiteral(".tqm"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
    }

    QObject context;
    std::vector<std::unique_ptr<Station>> stations;
    std::vector<int> results;
};

TEST_F(ViewSendingTest, PlainSignedAndHighImportanceMessagesAsTheStationGetsThem)
{
    addStations(1);
    startView();
    const QString bob = QStringLiteral("Bob/") + stations[0]->address();
    box()->setEditText(bob);
    compose(QStringLiteral("Hello\nworld"));
    ASSERT_FALSE(view->viewer().composeReplaceable());
    view->sendButton()->click();

    EXPECT_EQ(timePane.text(), QStringLiteral("Time: 0,00sec"));
    EXPECT_TRUE(view->sendTimerRunning());
    clock.advance(1234);
    ASSERT_TRUE(allReceived(1));
    EXPECT_EQ(stations[0]->packets[0],
              expected("Message from Ann Author to " + bob.toUtf8() + ".\r\n\r\nHello\r\nworld"));
    ASSERT_TRUE(test::waitUntil([&] { return !results.empty(); }));
    EXPECT_EQ(results, std::vector<int>{0});
    EXPECT_TRUE(test::waitUntil([&] { return timePane.text() == QStringLiteral("Time: 1,23sec"); }));
    // The frame's handler stops the display on the final report.
    view->stopSendTimer();
    EXPECT_FALSE(view->sendTimerRunning());

    // The text stays, selected, and may be replaced without asking.
    EXPECT_EQ(view->composeBox()->toPlainText(), QStringLiteral("Hello\nworld"));
    EXPECT_TRUE(view->composeBox()->hasFocus());
    EXPECT_EQ(view->composeBox()->textCursor().selectedText().size(), 11);
    EXPECT_TRUE(view->viewer().composeReplaceable());

    // Signed, of high importance, by the menu command.
    settings.set(keys::Signature, QStringLiteral("-- Ann\nann.example.org"));
    view->reloadSettings();
    view->action(CTq20View::Command::SendHighImportance)->trigger();
    ASSERT_TRUE(allReceived(2));
    EXPECT_EQ(
        stations[0]->packets[1],
        expected("Message from Ann Author to " + bob.toUtf8() + ".\r\n\r\nHello\r\nworld\r\n-- Ann\r\nann.example.org",
                 '1'));

    // Alt+Enter sends, and adds no line to the text.
    compose(QStringLiteral("quick"));
    QTest::keyClick(view->composeBox(), Qt::Key_Return, Qt::AltModifier);
    ASSERT_TRUE(allReceived(3));
    EXPECT_EQ(stations[0]->packets[2],
              expected("Message from Ann Author to " + bob.toUtf8() + ".\r\n\r\nquick\r\n-- Ann\r\nann.example.org"));
    EXPECT_EQ(view->composeBox()->toPlainText(), QStringLiteral("quick"));
}

TEST_F(ViewSendingTest, AllUsersAndAGroupReachEveryMemberAndKeepTheirText)
{
    addStations(3);
    putUser(top, "Bob", stations[0]->address());
    putUser(top, "Cy", stations[1]->address());
    putUser(top, "Di", QStringLiteral("10.0.0.4"), false);
    putUser(QStringLiteral("Friends"), "Eve", stations[2]->address());
    startView();

    box()->setEditText(QStringLiteral("< All users >"));
    compose(QStringLiteral("to all\nof you"));
    view->SendOutgoing('0');
    ASSERT_TRUE(test::waitUntil([&] { return stations[0]->packets.size() == 1 && stations[1]->packets.size() == 1; }));
    const QByteArray toAll = expected("Message from Ann Author to < All users >.\r\n\r\nto all\r\nof you");
    EXPECT_EQ(stations[0]->packets[0], toAll);
    EXPECT_EQ(stations[1]->packets[0], toAll);
    EXPECT_EQ(templateText(QStringLiteral("All Users")), QStringLiteral("to all\r\nof you"));

    box()->setEditText(QStringLiteral("< Friends >"));
    compose(QStringLiteral("friends only"));
    view->SendOutgoing('0');
    ASSERT_TRUE(test::waitUntil([&] { return stations[2]->packets.size() == 1; }));
    EXPECT_EQ(stations[2]->packets[0], expected("Message from Ann Author to < Friends >.\r\n\r\nfriends only"));
    EXPECT_EQ(templateText(QStringLiteral("Friends")), QStringLiteral("friends only"));
    ASSERT_TRUE(sendsEnded());
    EXPECT_EQ(stations[0]->packets.size(), 1);
    EXPECT_EQ(stations[1]->packets.size(), 1);
}

TEST_F(ViewSendingTest, AnEmptyOrBlankDestinationSendsNothing)
{
    addStations(1);
    startView();
    compose(QStringLiteral("for nobody"));
    for (const QString &destination : {QString(), QStringLiteral("    ")}) {
        box()->setEditText(destination);
        view->composeBox()->setFocus();
        view->sendButton()->click();
        EXPECT_TRUE(box()->hasFocus());
    }
    EXPECT_EQ(sound.played, (QStringList{QStringLiteral("SystemQuestion"), QStringLiteral("SystemQuestion")}));
    EXPECT_EQ(view->sendTasks().runningCount(), 0);
    EXPECT_FALSE(view->sendTimerRunning());
    EXPECT_FALSE(view->viewer().composeReplaceable()) << "nothing was sent";
    QTest::qWait(100);
    EXPECT_TRUE(stations[0]->packets.isEmpty());
}

TEST_F(ViewSendingTest, ATextFileThatCannotBeWrittenStopsTheSend)
{
    addStations(1);
    putUser(top, "Bob", stations[0]->address());
    putUser(top, "Cy", stations[0]->address());
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Empty")));
    startView();
    ASSERT_TRUE(QDir(appDataDir()).mkpath(QStringLiteral("All Users.tqm")));

    box()->setEditText(QStringLiteral("< All users >"));
    compose(QStringLiteral("lost"));
    view->SendOutgoing('0');
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_TRUE(prompter.boxes[0].text.contains(QStringLiteral("All Users.tqm")));
    EXPECT_EQ(view->sendTasks().runningCount(), 0);
    EXPECT_FALSE(view->sendTimerRunning());

    // A group without active users: its text is kept, but there is nobody to send to, and a
    // display that no report would ever stop does not start.
    box()->setEditText(QStringLiteral("< Empty >"));
    view->SendOutgoing('0');
    EXPECT_EQ(templateText(QStringLiteral("Empty")), QStringLiteral("lost"));
    EXPECT_EQ(view->sendTasks().runningCount(), 0);
    EXPECT_FALSE(view->sendTimerRunning());
    QTest::qWait(100);
    EXPECT_TRUE(stations[0]->packets.isEmpty());
}

} // namespace
} // namespace tq
