// Mail delivery to a real SMTP server (OpenSMTPD) started by the test.
#include "mail/MailDelivery.h"
#include "mail/OpenSmtpdServer.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace tq {
namespace {

const QString kRefused = QStringLiteral("nobody@example.test");

// The mail as the mailbox holds it, with the server's own trace lines in front and plain line
// feeds; `headers` from our first header line to the empty line, `text` after it.
struct ArrivedMail {
    QByteArray headers;
    QByteArray text;
};

ArrivedMail arrived(QByteArray mail)
{
    mail.replace("\r\n", "\n");
    const qsizetype date = mail.indexOf("\nDate: ");
    const qsizetype end = mail.indexOf("\n\n");
    if (date < 0 || end < date)
        return {mail, {}};
    return {mail.mid(date + 1, end - date), mail.mid(end + 2)};
}

class SmtpServerTest : public test::IsolatedHome {
protected:
    void SetUp() override
    {
        if (const QString reason = test::OpenSmtpdServer::unavailableReason(); !reason.isEmpty())
            GTEST_SKIP() << "No real SMTP server: " << reason.toStdString();
        bool skip = false;
        if (!server.start(kRefused, skip)) {
            if (skip)
                GTEST_SKIP() << server.error().toStdString();
            FAIL() << server.error().toStdString();
        }
        settings.set(keys::SMTPServer, server.serverText());
        settings.set(keys::EmailAddress, QStringLiteral("ann@example.org"));
        settings.set(keys::FullName, QStringLiteral("Ann Lee"));
    }

    // A delivery written at a fixed local time five and a half hours east of universal time.
    std::unique_ptr<CSendMailThread> send(const QStringList &addresses, const QByteArray &text)
    {
        CSendMailThread::Options options;
        options.now = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), QTimeZone(5 * 3600 + 30 * 60)); };
        options.locale = QLocale(QLocale::English, QLocale::UnitedKingdom);
        auto job = std::make_unique<CSendMailThread>(settings, addresses, text, status.callback(), options);
        EXPECT_TRUE(test::waitForDelivery(*job));
        return job;
    }

    test::OpenSmtpdServer server;
    SettingsStore settings;
    test::StatusLog status;
};

TEST_F(SmtpServerTest, OneAddressReceivesTheHeadersInOrderAndTheTextWithoutItsSubject)
{
    const auto job = send({QStringLiteral("bob@example.test")}, "Lunch\r\nat noon\r\n-- \r\nAnn");
    EXPECT_EQ(job->errorText(), QString());
    EXPECT_EQ(status.texts(), (QStringList{test::kStartStatus, test::kSentStatus}));
    const QByteArrayList mails = server.delivered(QStringLiteral("bob@example.test"));
    ASSERT_EQ(mails.size(), 1);
    const ArrivedMail mail = arrived(mails[0]);
    EXPECT_TRUE(mail.headers.startsWith("Date: Tue, 05 Mar 2024 14:07:09 +0530\n"
                                        "From: Ann Lee <ann@example.org>\n"
                                        "To: bob@example.test\n"
                                        "X-Mailer: Tarquel Messenger v2.1\n"
                                        "Content-Transfer-Encoding: 8bit\n"
                                        "Content-Type: text/plain; charset=us-ascii\n"
                                        "Subject: Lunch\n"))
        << mails[0].constData();
    EXPECT_EQ(mail.text, QByteArray("at noon\n-- \nAnn\n"));
}

TEST_F(SmtpServerTest, ARefusedAddressIsTheOutcomeOnlyWhenItComesLast)
{
    // Through the factory the send task uses, with the settings it reads.
    const auto first = smtpMailSendJobFactory(settings)({kRefused, QStringLiteral("carol@example.test")},
                                                        "Hello\r\nthere", status.callback());
    ASSERT_TRUE(test::waitForDelivery(*first));
    EXPECT_EQ(first->errorText(), QString()) << "the last address decides";
    EXPECT_EQ(status.texts(), (QStringList{test::kStartStatus, test::kSentStatus}));
    EXPECT_EQ(server.delivered(QStringLiteral("carol@example.test")).size(), 1);

    const auto last = send({QStringLiteral("dave@example.test"), kRefused}, "Hello\r\nthere");
    EXPECT_EQ(last->errorText(), test::kUnexpectedAnswer + server.serverText());
    EXPECT_EQ(server.delivered(QStringLiteral("dave@example.test")).size(), 1);
    EXPECT_TRUE(server.delivered(kRefused, 1, 0).isEmpty());
}

TEST_F(SmtpServerTest, OneLineWithoutLineFeedAndALoneDotArriveWhole)
{
    const auto oneLine = send({QStringLiteral("dan@example.test")}, "Hello Dave");
    EXPECT_EQ(oneLine->errorText(), QString());
    const QByteArrayList daveMails = server.delivered(QStringLiteral("dan@example.test"));
    ASSERT_EQ(daveMails.size(), 1);
    EXPECT_TRUE(arrived(daveMails[0]).headers.contains("\nSubject: No Subject (Tarquel Messenger v2.1)\n"));
    EXPECT_EQ(arrived(daveMails[0]).text, QByteArray("Hello Dave\n"));

    const auto dots = send({QStringLiteral("erin@example.test"), QStringLiteral("frank@example.test")},
                           "Plan\r\nfirst\r\n.\r\n..two\r\n.after\r\nlast line\r\n");
    EXPECT_EQ(dots->errorText(), QString());
    for (const QString &address : {QStringLiteral("erin@example.test"), QStringLiteral("frank@example.test")}) {
        const QByteArrayList mails = server.delivered(address);
        ASSERT_EQ(mails.size(), 1) << address.toStdString();
        EXPECT_EQ(arrived(mails[0]).text, QByteArray("first\n.\n..two\n.after\nlast line\n\n"));
        EXPECT_TRUE(arrived(mails[0]).headers.contains("\nTo: " + address.toUtf8() + "\n"));
    }
}

} // namespace
} // namespace tq
