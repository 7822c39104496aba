// The SMTP sender against no server, a refusing port and scripted servers.
#include "mail/MailDelivery.h"
#include "mail/ScriptedMailServer.h"
#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <memory>

namespace tq {
namespace {

using namespace std::chrono_literals;

class SendMailThreadTest : public test::IsolatedHome {
protected:
    SendMailThreadTest()
    {
        settings.set(keys::EmailAddress, QStringLiteral("ann@example.org"));
        settings.set(keys::FullName, QStringLiteral("Ann Lee"));
    }

    SettingsStore settings;
    test::StatusLog status;
};

TEST_F(SendMailThreadTest, AnEmptyServerIsReportedWithoutTryingAndARefusedOneByName)
{
    const auto empty = smtpMailSendJobFactory(settings)({QStringLiteral("bob@example.org")}, "Hi", status.callback());
    ASSERT_TRUE(test::waitForDelivery(*empty));
    EXPECT_EQ(empty->errorText(), QStringLiteral("You don't setup SMTP server in Preferences.  "));
    EXPECT_TRUE(status.texts().isEmpty());

    const QString server = QStringLiteral("127.0.0.1:%1").arg(test::unusedTcpPort());
    settings.set(keys::SMTPServer, server);
    CSendMailThread refused(settings, {QStringLiteral("bob@example.org")}, "Hi", status.callback());
    ASSERT_TRUE(test::waitForDelivery(refused));
    EXPECT_EQ(refused.errorText(), QStringLiteral("Unable to connect with SMTP server ") + server);
    EXPECT_EQ(status.texts(), QStringList{test::kStartStatus});
}

TEST_F(SendMailThreadTest, ASilentServerIsLeftAtTheSocketTimeOutOrAtOnceOnCancel)
{
    test::ScriptedMailServer silent({}, {});
    settings.set(keys::SMTPServer, silent.serverText());
    CSendMailThread::Options options;
    options.socketTimeout = 300ms;
    CSendMailThread timedOut(settings, {QStringLiteral("bob@example.org")}, "Hi", status.callback(), options);
    ASSERT_TRUE(test::waitForDelivery(timedOut, 20s));
    EXPECT_EQ(timedOut.errorText(), test::kUnexpectedAnswer + silent.serverText());

    CSendMailThread job(settings, {QStringLiteral("bob@example.org")}, "Hi", status.callback());
    EXPECT_FALSE(job.waitUntil(std::chrono::steady_clock::now() + 300ms));
    QElapsedTimer timer;
    timer.start();
    job.cancel();
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(job.errorText(), test::kUnexpectedAnswer + silent.serverText());
    EXPECT_TRUE(job.waitUntil(std::chrono::steady_clock::now()));
}

TEST_F(SendMailThreadTest, MultiLineRepliesAndAnAddressThatWouldInjectACommand)
{
    test::ScriptedMailServer server("220-first line\r\n220 second line\r\n", test::ScriptedMailServer::smtp());
    // By name, so that the name service is asked.
    settings.set(keys::SMTPServer, QStringLiteral("localhost:%1").arg(server.port()));
    CSendMailThread::Options options;
    options.localHostName = QStringLiteral("station one\r\n");
    CSendMailThread job(settings,
                        {QStringLiteral("a@example.org"), QStringLiteral("x@y>\r\nRCPT TO: <evil@example.org"),
                         QStringLiteral("b@example.org")},
                        "Subject line\r\nText", status.callback(), options);
    ASSERT_TRUE(test::waitForDelivery(job));
    EXPECT_EQ(job.errorText(), QString());
    EXPECT_EQ(status.texts(), (QStringList{test::kStartStatus, test::kSentStatus, test::kSentStatus}));
    const QByteArrayList lines = server.receivedLines();
    EXPECT_EQ(lines.first(), QByteArray("HELO stationone\r\n"));
    EXPECT_TRUE(lines.contains("MAIL From: <ann@example.org>\r\n"));
    EXPECT_TRUE(lines.contains("RCPT TO: <a@example.org>\r\n"));
    EXPECT_TRUE(lines.contains("RCPT TO: <b@example.org>\r\n"));
    EXPECT_EQ(lines.count("DATA\r\n"), 2);
    for (const QByteArray &line : lines)
        EXPECT_FALSE(line.contains("evil")) << line.constData();
    EXPECT_EQ(lines.last(), QByteArray("QUIT\r\n"));
}

} // namespace
} // namespace tq
