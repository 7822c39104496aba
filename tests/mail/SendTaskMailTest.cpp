// The e-mail part of a whole send, with the real mail sender: its outcome is reported as soon
// as the sender ends, and when the budget ends first, by what the sender had come to.
#include "mail/MailDelivery.h"
#include "mail/OpenSmtpdServer.h"
#include "mail/ScriptedMailServer.h"
#include "protocol/SendTestSupport.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using Results = test::SendResults;

// The budget of the "Internet" preset: a station that keeps silent holds a send this long.
constexpr int kInternetBudgetMs = 60000;

class SendTaskMailTest : public test::SendFixture {
protected:
    SendTaskMailTest()
    {
        settings.set(keys::EmailAddress, u"ann@example.org"_s);
        settings.set(keys::FullName, u"Ann Lee"_s);
    }

    // Starts a send to `destinations` with the real mail sender; its reports go to `results`.
    std::unique_ptr<CSendThread> startSend(const QString &destinations, int budgetMs)
    {
        auto task = std::make_unique<CSendThread>(test::sendRequest(destinations, 1, 1, budgetMs), settings,
                                                  SendServices{smtpMailSendJobFactory(settings), {}});
        QObject::connect(task.get(), &CSendThread::sendResult, &context,
                         [this](SendResultCode code, const QString &text) { results.emplace_back(int(code), text); });
        task->start();
        return task;
    }

    QObject context;
    Results results;
};

TEST_F(SendTaskMailTest, AnAcceptedMailIsReportedWhileTheNetworkPartIsStillUnderWay)
{
    if (const QString reason = test::OpenSmtpdServer::unavailableReason(); !reason.isEmpty())
        GTEST_SKIP() << "No real SMTP server: " << reason.toStdString();
    test::OpenSmtpdServer server;
    bool skip = false;
    if (!server.start(u"nobody@example.test"_s, skip)) {
        if (skip)
            GTEST_SKIP() << server.error().toStdString();
        FAIL() << server.error().toStdString();
    }
    settings.set(keys::SMTPServer, server.serverText());

    // A mail alone: its report comes long before such a budget would end.
    auto mailOnly = startSend(u"Bob/bob@example.test"_s, kInternetBudgetMs);
    ASSERT_TRUE(test::waitUntil([&] { return !results.empty(); }, kInternetBudgetMs / 2));
    EXPECT_EQ(results, Results({{5, u"Mail send successfully."_s}}));
    EXPECT_TRUE(test::waitUntil([&] { return mailOnly->isFinished(); }));

    // Beside a station that accepts the connection and never answers, the mail's report
    // comes while that station is still awaited, not when the budget has run out.
    results.clear();
    test::RawStation silent(test::RawStation::Mode::NeverAnswer);
    auto mixed = startSend(u"127.0.0.1:%1;Cy/cy@example.test"_s.arg(silent.port()), kInternetBudgetMs);
    ASSERT_TRUE(test::waitUntil([&] { return !results.empty(); }, kInternetBudgetMs / 2));
    EXPECT_EQ(results, Results({{5, u"Mail send successfully."_s}}));
    EXPECT_FALSE(mixed->isFinished()) << "the network part is still under way";
    EXPECT_TRUE(test::waitUntil([&] { return silent.accepted() == 1; }));
    EXPECT_EQ(server.delivered(u"cy@example.test"_s).size(), 1);
    mixed->stop();
    EXPECT_EQ(results.size(), 1u) << "a stopped send reports nothing more";
}

TEST_F(SendTaskMailTest, WhenTheBudgetEndsTheReportTellsWhatTheMailSenderHadComeTo)
{
    // Every mail accepted, only the answer to QUIT outstanding: the mail went out.
    test::ScriptedMailServer noFarewell("220 ready\r\n", test::ScriptedMailServer::smtp(false));
    settings.set(keys::SMTPServer, noFarewell.serverText());
    auto task = startSend(u"bob@example.test"_s, 1000);
    ASSERT_TRUE(test::waitUntil([&] { return !results.empty() && task->isFinished(); }, 10000));
    EXPECT_EQ(results, Results({{5, u"Mail send successfully."_s}}));
    EXPECT_TRUE(noFarewell.receivedLines().endsWith("QUIT\r\n")) << "sent, and left unanswered";

    // The end of the text never answered: the step the sender was held up in.
    results.clear();
    test::ScriptedMailServer stuck("220 ready\r\n", test::ScriptedMailServer::smtp(true, false));
    settings.set(keys::SMTPServer, stuck.serverText());
    task = startSend(u"bob@example.test"_s, 1000);
    ASSERT_TRUE(test::waitUntil([&] { return !results.empty() && task->isFinished(); }, 10000));
    EXPECT_EQ(results, Results({{6, test::kUnexpectedAnswer + stuck.serverText()}}));
}

} // namespace
} // namespace tq
