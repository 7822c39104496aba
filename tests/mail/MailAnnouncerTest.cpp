#include "mail/MailAnnouncer.h"
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

TEST_F(MailAnnouncerTest, FailuresShareTheErrorIconWithTheirTips)
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
    EXPECT_TRUE(sound.played.isEmpty());
}

TEST_F(MailAnnouncerTest, TipsAreCutTo63CharactersNeverInsideACharacter)
{
    const QString longServer = QStringLiteral("pop.a-provider-with-a-really-long-name.example.org:995");
    announcer.AnnounceMailState(longServer, QStringLiteral("Error"), mailstate::ConnectFailed, false);
    EXPECT_EQ(tray.shown.value(kMailErrorIcon), (QStringLiteral("Unable to connect with POP3 ") + longServer).left(63));

    const QString user = QString(27, u'u') + QString::fromUtf8("\xF0\x9F\x93\xAC");
    announcer.AnnounceMailState(user, QStringLiteral("1"), kFirstMailbox, false);
    EXPECT_EQ(tray.shown.value(kFirstMailbox).size(), 62);
}

} // namespace
} // namespace tq
