#include "app/SendResultHandler.h"
#include "app/CFailedHostsDlg.h"
#include "settings/SettingsStore.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"
#include "support/RecordingPrompter.h"
#include "support/RecordingSoundPlayer.h"
#include "support/SignalWaiter.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using Icon = Prompter::Icon;

QString hostList(int count)
{
    QStringList hosts;
    for (int i = 0; i < count; ++i)
        hosts.append(u"host%1.invalid"_s.arg(i, 2, 10, QLatin1Char('0')));
    return hosts.join(u"\r\n"_s);
}

CFailedHostsDlg *openFailedHostsDialog()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<CFailedHostsDlg *>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

class SendResultHandlerTest : public test::IsolatedHome {
protected:
    SendResultHandlerTest()
        : handler(prompter, sounds, settings,
                  {[this](const QString &text) { statusLine = text; }, [this](const QString &text) { modePane = text; },
                   [this] { ++timerStops; }})
    {
    }

    void expectOneBox(const QString &caption, const QString &text, Icon icon)
    {
        ASSERT_EQ(prompter.boxes.size(), 1);
        EXPECT_EQ(prompter.boxes[0].caption, caption);
        EXPECT_EQ(prompter.boxes[0].text, text);
        EXPECT_EQ(prompter.boxes[0].icon, icon);
    }

    SettingsStore settings;
    test::RecordingPrompter prompter;
    test::RecordingSoundPlayer sounds;
    QString statusLine, modePane;
    int timerStops = 0;
    SendResultHandler handler;
};

TEST_F(SendResultHandlerTest, SuccessShowsTheSendOkBoxOrPlaysTheDefaultSound)
{
    handler.onSendResult(0, {});
    expectOneBox(u"Send OK!"_s, u"Message has been send successfully!"_s, Icon::Information);
    EXPECT_EQ(statusLine, u"Message has been send successfully!"_s);
    EXPECT_EQ(timerStops, 1);
    EXPECT_TRUE(sounds.played.isEmpty());

    settings.set(keys::DisplaySendOK, 1);
    handler.onSendResult(0, {});
    EXPECT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(sounds.played, QStringList({u".Default"_s}));
    EXPECT_EQ(timerStops, 2);
}

TEST_F(SendResultHandlerTest, ReceiverReportsGoToPaneZeroAndABusyPortToABox)
{
    handler.onSendResult(2, u"TCP port 7777"_s);
    EXPECT_EQ(modePane, u"TCP port 7777 listening"_s);
    EXPECT_TRUE(prompter.boxes.isEmpty());

    handler.onSendResult(3, u"UDP port 7777"_s);
    expectOneBox(u"Error creating socket!"_s,
                 u"UDP port 7777 busy by another application!\r\nClose another application or change default port "
                 u"and restart Tarquel Messenger!\r\n\r\nIt possible to continue work, but you cannot receive "
                 u"incoming messages!"_s,
                 Icon::Stop);
    EXPECT_EQ(modePane, u"UDP port 7777 is busy! Receiving don't possibly!"_s);
    EXPECT_EQ(timerStops, 0);

    handler.onSendResult(1, u"ignored"_s);
    EXPECT_EQ(prompter.boxes.size(), 1);
    EXPECT_TRUE(statusLine.isEmpty());
}

TEST_F(SendResultHandlerTest, WrongLengthAndMailOutcomesGetTheirBoxes)
{
    handler.onSendResult(4, u"10.0.0.5"_s);
    expectOneBox(u"Possible error during sent!"_s,
                 u"Incompatible type of remote receive program!\r\nRemote user (10.0.0.5) accepted your message, "
                 u"but may be with some errors!"_s,
                 Icon::Stop);
    EXPECT_EQ(timerStops, 0);

    prompter.boxes.clear();
    handler.onSendResult(5, u"Mail send successfully."_s);
    expectOneBox(u"Tarquel Messenger"_s, u"Mail send successfully."_s, Icon::Information);
    EXPECT_EQ(statusLine, u"Mail send successfully."_s);

    prompter.boxes.clear();
    handler.onSendResult(6, u"You don't setup SMTP server in Preferences.  "_s);
    expectOneBox(u"Tarquel Messenger"_s, u"You don't setup SMTP server in Preferences.  "_s, Icon::Exclamation);
    EXPECT_EQ(timerStops, 2);

    handler.onStatusText(u"Contacting host 10.0.0.5 ..."_s);
    EXPECT_EQ(statusLine, u"Contacting host 10.0.0.5 ..."_s);
}

TEST_F(SendResultHandlerTest, TenFailuresGiveAMessageBoxAndElevenTheDialog)
{
    handler.onSendResult(20, hostList(10));
    expectOneBox(u"10 host(s) not found!"_s,
                 u"The following addresse(s) possibly invalid\r\nor host(s) did not respond:\r\n"_s + hostList(10),
                 Icon::Exclamation);
    EXPECT_EQ(statusLine, u"Message has NOT been send to some host!"_s);
    EXPECT_EQ(timerStops, 1);
    EXPECT_EQ(openFailedHostsDialog(), nullptr);

    handler.onSendResult(21, hostList(11));
    EXPECT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(timerStops, 2);
    CFailedHostsDlg *dialog = openFailedHostsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), u"11 host(s) not found!"_s);
    EXPECT_EQ(dialog->findChild<QPlainTextEdit *>(u"hostList"_s)->toPlainText(),
              QString(hostList(11)).replace(u"\r\n"_s, u"\n"_s));
    EXPECT_TRUE(dialog->findChild<QPlainTextEdit *>(u"hostList"_s)->isReadOnly());
    EXPECT_EQ(dialog->findChild<QLabel *>(u"introText"_s)->text(),
              u"The following addresses possibly invalid\nor hosts not respond:"_s);
    EXPECT_FALSE(dialog->findChild<QLabel *>(u"warningIcon"_s)->pixmap().isNull());
    EXPECT_EQ(sounds.played, QStringList({u"SystemAsterisk"_s}));

    QPointer<CFailedHostsDlg> guard(dialog);
    QTest::mouseClick(dialog->findChild<QPushButton *>(u"okButton"_s), Qt::LeftButton);
    EXPECT_TRUE(test::waitUntil([&] { return guard.isNull(); }, 2000)); // closed and deleted
}

} // namespace
} // namespace tq
