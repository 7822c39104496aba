#include "app/SendResultHandler.h"
#include "app/CFailedHostsDlg.h"
#include "settings/SettingsStore.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"
#include "support/RecordingPrompter.h"
#include "support/RecordingSoundPlayer.h"
#include "support/SignalWaiter.h"

#include <QApplication>
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
        : handler(
            prompter, sounds, settings,
            {[this](const QString &text) { statusLine = text; }, [this](const QString &text) { modePane = text; }})
    {
    }

    // The one box asked for since the last call, as "caption|text".
    QString takeBox(Icon icon)
    {
        EXPECT_EQ(prompter.boxes.size(), 1);
        if (prompter.boxes.isEmpty())
            return {};
        const auto box = prompter.boxes.takeFirst();
        EXPECT_EQ(box.icon, icon) << box.caption.toStdString();
        return box.caption + u'|' + box.text;
    }

    SettingsStore settings;
    test::RecordingPrompter prompter;
    test::RecordingSoundPlayer sounds;
    QString statusLine, modePane;
    SendResultHandler handler;
};

TEST_F(SendResultHandlerTest, EveryOutcomeGetsItsBoxStatusAndTimerStop)
{
    handler.onSendResult(SendResultCode::Delivered, {});
    EXPECT_EQ(takeBox(Icon::Information), u"Send OK!|Message has been send successfully!"_s);
    EXPECT_EQ(statusLine, u"Message has been send successfully!"_s);
    settings.set(keys::DisplaySendOK, 1);
    handler.onSendResult(SendResultCode::Delivered, {});
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(sounds.played, QStringList({u".Default"_s}));

    handler.onSendResult(SendResultCode::LengthMismatch, u"10.0.0.5"_s);
    EXPECT_EQ(takeBox(Icon::Stop),
              u"Possible error during sent!|Incompatible type of remote receive program!\r\nRemote user (10.0.0.5) "
              u"accepted your message, but may be with some errors!"_s);
    handler.onSendResult(SendResultCode::MailSent, u"Mail send successfully."_s);
    EXPECT_EQ(takeBox(Icon::Information), u"Tarquel Messenger|Mail send successfully."_s);
    handler.onSendResult(SendResultCode::MailFailed, u"You don't setup SMTP server in Preferences.  "_s);
    EXPECT_EQ(takeBox(Icon::Exclamation), u"Tarquel Messenger|You don't setup SMTP server in Preferences.  "_s);
}

TEST_F(SendResultHandlerTest, ReceiverReportsGoToPaneZeroAndABusyPortToABox)
{
    handler.onSendResult(SendResultCode::Listening, u"TCP port 7777"_s);
    EXPECT_EQ(modePane, u"TCP port 7777 listening"_s);
    EXPECT_TRUE(prompter.boxes.isEmpty());

    handler.onSendResult(SendResultCode::PortBusy, u"UDP port 7777"_s);
    EXPECT_TRUE(takeBox(Icon::Stop).startsWith(u"Error creating socket!|UDP port 7777 busy by another application!"_s));
    EXPECT_EQ(modePane, u"UDP port 7777 is busy! Receiving don't possibly!"_s);
    handler.onSendResult(SendResultCode(1), u"ignored"_s); // a code no sender gives
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_TRUE(statusLine.isEmpty());
}

TEST_F(SendResultHandlerTest, TenFailuresGiveAMessageBoxAndElevenTheDialog)
{
    handler.onSendResult(notDeliveredCode(10), hostList(10));
    EXPECT_EQ(takeBox(Icon::Exclamation),
              u"10 host(s) not found!|The following addresse(s) possibly invalid\r\nor host(s) did not respond:\r\n"_s
                  + hostList(10));
    EXPECT_EQ(statusLine, u"Message has NOT been send to some host!"_s);
    EXPECT_EQ(openFailedHostsDialog(), nullptr);

    handler.onSendResult(notDeliveredCode(11), hostList(11));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    QPointer<CFailedHostsDlg> dialog = openFailedHostsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), u"11 host(s) not found!"_s);
    EXPECT_EQ(dialog->findChild<QPlainTextEdit *>(u"hostList"_s)->toPlainText(),
              QString(hostList(11)).replace(u"\r\n"_s, u"\n"_s));
    EXPECT_EQ(sounds.played, QStringList({u"SystemAsterisk"_s}));
    QTest::mouseClick(dialog->findChild<QPushButton *>(u"okButton"_s), Qt::LeftButton);
    EXPECT_TRUE(test::waitUntil([&] { return dialog.isNull(); }, 2000)) << "closed and deleted";
}

TEST_F(SendResultHandlerTest, DeliveryLaterIsOfferedWhenAFailedDestinationIsAStation)
{
    QList<QStringList> kept;
    handler.setKeepForLater([&](const SendRequest &request, const QStringList &destinations) {
        EXPECT_EQ(request.streamPacket, "the packet");
        kept.append(destinations);
    });
    SendRequest request;
    request.streamPacket = "the packet";
    handler.noteRequest(7, request);

    // The small box: its extra button keeps the message for every failed destination.
    prompter.actions = {true};
    handler.onSendResult(notDeliveredCode(2), u"ann@example.com\r\n127.0.0.1:9"_s, 7);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes.takeFirst().actionText, u"Deliver when reachable"_s);
    EXPECT_EQ(kept, QList<QStringList>{(QStringList{u"ann@example.com"_s, u"127.0.0.1:9"_s})});

    // OK keeps nothing.
    handler.onSendResult(notDeliveredCode(1), u"127.0.0.1:9"_s, 7);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_FALSE(prompter.boxes.takeFirst().actionText.isEmpty());
    EXPECT_EQ(kept.size(), 1);

    // Nothing to wait for: e-mail only, a broadcast, or a send whose message is not at hand.
    prompter.actions = {true, true, true};
    for (const auto &[failed, send] :
         {std::pair{u"ann@example.com"_s, quint64(7)}, std::pair{u"255.255.255.255"_s, quint64(7)},
          std::pair{u"127.0.0.1:9"_s, quint64(8)}}) {
        handler.onSendResult(notDeliveredCode(1), failed, send);
        ASSERT_EQ(prompter.boxes.size(), 1);
        EXPECT_TRUE(prompter.boxes.takeFirst().actionText.isEmpty()) << failed.toStdString();
    }
    EXPECT_EQ(kept.size(), 1);

    // The dialog's button is hidden alike when only e-mail failed.
    QStringList mail;
    for (int i = 0; i < 11; ++i)
        mail.append(u"user%1@example.com"_s.arg(i));
    handler.onSendResult(notDeliveredCode(11), mail.join(u"\r\n"_s), 7);
    QPointer<CFailedHostsDlg> dialog = openFailedHostsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->findChild<QPushButton *>(u"deliverLaterButton"_s)->isVisibleTo(dialog));
    dialog->close();
}

} // namespace
} // namespace tq
