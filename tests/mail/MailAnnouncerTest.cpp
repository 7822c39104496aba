#include "mail/MailAnnouncer.h"
#include "mail/MailTray.h"
#include "mail/RecordingMailTray.h"
#include "support/QtPrinters.h"
#include "support/RecordingSoundPlayer.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

class MailAnnouncerTest : public ::testing::Test {
protected:
    test::RecordingMailTray tray;
    test::RecordingSoundPlayer sound;
    MailAnnouncer announcer{tray, sound};
};

TEST_F(MailAnnouncerTest, NewMailPutsTheMailboxIconWithItsTip)
{
    announcer.AnnounceMailState(QStringLiteral("alice"), QStringLiteral("3"), kFirstMailbox, false);
    announcer.AnnounceMailState(QStringLiteral("bob"), QStringLiteral("5"), kSecondMailbox, false);
    EXPECT_EQ(tray.shown.value(kFirstMailbox), QStringLiteral("You have 3 new messages in mailbox alice"));
    EXPECT_EQ(tray.shown.value(kSecondMailbox), QStringLiteral("You have 5 new messages in mailbox bob"));
    EXPECT_TRUE(sound.played.isEmpty());
}

TEST_F(MailAnnouncerTest, FailuresShowTheErrorIconWithTheirTips)
{
    const std::pair<int, const char *> cases[] = {
        {mailstate::PasswordRefused, "Authentification error for user alice!"},
        {mailstate::UserRefused, "Authentification error for user alice!"},
        {mailstate::InvalidServer, "Invalid POP3 server  alice!"},
        {mailstate::ConnectFailed, "Unable to connect with POP3 alice!"},
        {mailstate::InternalError, "Internal TCP/IP error"},
    };
    for (const auto &[code, tip] : cases) {
        announcer.AnnounceMailState(QStringLiteral("alice"), QStringLiteral("Error"), code, false);
        EXPECT_EQ(tray.shown.value(kMailErrorIcon), QString::fromLatin1(tip)) << code;
    }
    EXPECT_EQ(tray.shown.size(), 1);
}

TEST_F(MailAnnouncerTest, TipsAreCutTo63Characters)
{
    const QString longServer = QStringLiteral("pop.a-provider-with-a-really-long-name.example.org:995");
    announcer.AnnounceMailState(longServer, QStringLiteral("Error"), mailstate::ConnectFailed, false);
    const QString tip = tray.shown.value(kMailErrorIcon);
    EXPECT_EQ(tip.size(), 63);
    EXPECT_EQ(tip, (QStringLiteral("Unable to connect with POP3 ") + longServer).left(63));

    // A character outside the basic plane is not cut in half.
    const QString user = QString(27, u'u') + QString::fromUtf8("\xF0\x9F\x93\xAC");
    announcer.AnnounceMailState(user, QStringLiteral("1"), kFirstMailbox, false);
    EXPECT_EQ(tray.shown.value(kFirstMailbox).size(), 62);
}

TEST_F(MailAnnouncerTest, EmptyMailboxTakesOnlyItsOwnIconAway)
{
    announcer.AnnounceMailState(QStringLiteral("a"), QStringLiteral("3"), kFirstMailbox, false);
    announcer.AnnounceMailState(QStringLiteral("b"), QStringLiteral("3"), kSecondMailbox, false);
    announcer.AnnounceMailState(QStringLiteral("a"), QStringLiteral("0"), mailstate::FirstMailboxEmpty, true);
    EXPECT_EQ(tray.shown.keys(), QList<int>{kSecondMailbox});
    announcer.AnnounceMailState(QStringLiteral("b"), QStringLiteral("0"), mailstate::SecondMailboxEmpty, true);
    EXPECT_TRUE(tray.shown.isEmpty());
    EXPECT_TRUE(sound.played.isEmpty()) << "an emptied mailbox is no news";
}

TEST_F(MailAnnouncerTest, SoundsOnlyWhenAsked)
{
    announcer.AnnounceMailState(QStringLiteral("a"), QStringLiteral("3"), kFirstMailbox, true);
    announcer.AnnounceMailState(QStringLiteral("a"), QStringLiteral("Error"), mailstate::PasswordRefused, true);
    EXPECT_EQ(sound.played, (QStringList{QStringLiteral("MailBeep"), QStringLiteral("SystemExclamation")}));
    announcer.AnnounceMailState(QStringLiteral("a"), QStringLiteral("3"), kFirstMailbox, false);
    announcer.AnnounceMailState(QStringLiteral("a"), QStringLiteral("Error"), mailstate::ConnectFailed, false);
    EXPECT_EQ(sound.played.size(), 2);
}

} // namespace
} // namespace tq
