#include "mail/MailServerAddress.h"
#include "mail/Pop3Reply.h"
#include "mail/SmtpMail.h"
#include "support/QtPrinters.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace tq {
namespace {

TEST(MailServerAddress, PortAfterTheColonFrom1To65535ElseTheDefault)
{
    EXPECT_EQ(pop3ServerAddress(QStringLiteral("pop.example.org:995")),
              (MailServerAddress{QStringLiteral("pop.example.org"), 995}));
    EXPECT_EQ(pop3ServerAddress(QStringLiteral("pop.example.org")),
              (MailServerAddress{QStringLiteral("pop.example.org"), 110}));
    EXPECT_EQ(pop3ServerAddress(QStringLiteral("h:65535")).port, 65535);
    for (const char *text : {"h:0", "h:65536", "h:", "h:abc", "h:99999999999"})
        EXPECT_EQ(pop3ServerAddress(QString::fromLatin1(text)).port, 110) << text;
    EXPECT_EQ(smtpServerAddress(QStringLiteral("smtp.example.org:2525")),
              (MailServerAddress{QStringLiteral("smtp.example.org"), 2525}));
    EXPECT_EQ(smtpServerAddress(QStringLiteral("h:0")).port, 25);
    // POP3 splits at the first colon, SMTP at the last.
    EXPECT_EQ(pop3ServerAddress(QStringLiteral("h:995:1")), (MailServerAddress{QStringLiteral("h"), 995}));
    EXPECT_EQ(smtpServerAddress(QStringLiteral("h:995:2525")), (MailServerAddress{QStringLiteral("h:995"), 2525}));
}

TEST(Pop3Reply, StatCountIsTheNumberAfterOk)
{
    EXPECT_EQ(pop3StatCount("+OK 3 1234\r\n"), 3);
    EXPECT_EQ(pop3StatCount("+OK 17\r\n"), 17);
    EXPECT_EQ(pop3StatCount("+OK 999999999 1"), 999999999);
    for (const char *reply : {"+OK\r\n", "+OK \r\n", "-ERR 3 1234\r\n", "+OK x 1\r\n", "+OK 3x 1\r\n", "+OK -3 1\r\n",
                              "+OK 1234567890 1\r\n", ""})
        EXPECT_EQ(pop3StatCount(reply), std::nullopt) << reply;
    EXPECT_TRUE(isPop3Ok("+OK Dovecot ready.\r\n"));
    EXPECT_FALSE(isPop3Ok("-ERR [AUTH] Authentication failed.\r\n"));
}

TEST(SmtpMail, LinesBeginningWithADotGetAnotherAndEveryLineEndsWithCrLf)
{
    EXPECT_EQ(splitMailBody("s\r\n.\r\n..x\r\nmid.dle\r\n.").text, QByteArray("..\r\n...x\r\nmid.dle\r\n.."));
    EXPECT_EQ(splitMailBody(".only line").text, QByteArray("..only line"));
    EXPECT_EQ(splitMailBody("s\rx\n.\ry").text, QByteArray("..\r\ny"));
}

TEST(SmtpMail, ZoneHasOneSignThenHoursAndMinutesAndTheDateLineTheUsersLanguage)
{
    EXPECT_EQ(mailZone(5 * 3600 + 30 * 60), QByteArray("+0530"));
    EXPECT_EQ(mailZone(-(3 * 3600 + 30 * 60)), QByteArray("-0330"));
    EXPECT_EQ(mailZone(-30 * 60), QByteArray("-0030"));
    EXPECT_EQ(mailZone(0), QByteArray("+0000"));

    const QDateTime time(QDate(2024, 3, 5), QTime(14, 7, 9), QTimeZone(5 * 3600 + 30 * 60));
    EXPECT_EQ(mailDate(time, QLocale(QLocale::English, QLocale::UnitedKingdom)),
              QByteArray("Tue, 05 Mar 2024 14:07:09 +0530"));
    // The names are the user's language.
    EXPECT_TRUE(mailDate(time, QLocale(QLocale::German, QLocale::Germany)).startsWith("Di., 05 März 2024"))
        << mailDate(time, QLocale(QLocale::German, QLocale::Germany)).constData();
}

TEST(SmtpMail, LineBreaksCannotSmuggleHeadersOrCommands)
{
    const QByteArray mail = composeMail("d", QStringLiteral("Ann\r\nBcc: x@example.org"), QStringLiteral("a@b"),
                                        QStringLiteral("c@d"), splitMailBody("s\r\nt"));
    EXPECT_FALSE(mail.contains("\r\nBcc:"));
    EXPECT_TRUE(isUnsafeMailAddress(QStringLiteral("x@y>\r\nRCPT TO: <z@w")));
    EXPECT_TRUE(isUnsafeMailAddress(QString()));
    EXPECT_FALSE(isUnsafeMailAddress(QStringLiteral("bob.smith+tag@example.org")));
}

} // namespace
} // namespace tq
