#include "SendTestSupport.h"

#include "support/LoopbackPeer.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <future>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::RawStation;
using test::runSend;
using test::sendRequest;
using Results = test::SendResults;

// Generous: these bounds catch a send that hangs, not one that is slow.
constexpr int kSlack = 2500;

using SendFailureTest = test::SendFixture;

TEST_F(SendFailureTest, WrongLengthOrNoAnswerGivesCodeFourAndTheDestinationIsListed)
{
    RawStation wrong(RawStation::Mode::Answer, "12");
    RawStation silent(RawStation::Mode::CloseSilently);
    const QString first = u"127.0.0.1:%1"_s.arg(wrong.port());
    const QString second = u"Bob/127.0.0.1:%1"_s.arg(silent.port());
    EXPECT_EQ(runSend(sendRequest(first + u';' + second, 1, 1), settings).results,
              Results({{4, u"127.0.0.1"_s}, {4, u"127.0.0.1"_s}, {12, first + u"\r\n"_s + second}}));
}

TEST_F(SendFailureTest, PeerThatNeverAnswersIsListedWhenTheBudgetEnds)
{
    RawStation mute(RawStation::Mode::NeverAnswer);
    const QString destination = u"127.0.0.1:%1"_s.arg(mute.port());
    const auto outcome = runSend(sendRequest(destination, 1, 1, 400), settings);
    EXPECT_TRUE(outcome.ended);
    EXPECT_LT(outcome.elapsedMs, 400 + kSlack);
    EXPECT_EQ(outcome.results, Results({{11, destination}})); // no code 4 for a worker cut off
    EXPECT_EQ(mute.accepted(), 1);
}

TEST_F(SendFailureTest, RefusedPortsAndUnknownNamesAreListedSorted)
{
    const int refused = test::unusedTcpPort();
    const QString list = u"zed.invalid;Carl/127.0.0.1:%1;Al/al.invalid:7777u;Bob/bob@example.org"_s.arg(refused);
    settings.set(keys::SMTPServer, u""_s);
    const auto outcome = runSend(sendRequest(list, 1, 1), settings);
    EXPECT_EQ(outcome.results,
              Results({{6, u"You don't setup SMTP server in Preferences.  "_s},
                       {13, u"Al/al.invalid:7777u\r\nCarl/127.0.0.1:%1\r\nzed.invalid"_s.arg(refused)}}));
}

TEST_F(SendFailureTest, AtMost252WorkersRunAndDestinationsNeverTriedAreListed)
{
    RawStation mute(RawStation::Mode::NeverAnswer);
    QStringList destinations;
    for (int i = 1; i <= 260; ++i)
        destinations.append(u"Station %1/127.0.0.1:%2"_s.arg(i).arg(mute.port()));
    const auto outcome = runSend(sendRequest(destinations.join(u';'), 1, 1, 1500), settings);
    ASSERT_EQ(outcome.results.size(), 1u);
    EXPECT_EQ(outcome.results[0].first, 270);
    EXPECT_EQ(outcome.results[0].second, failedDestinationsText(destinations));
    EXPECT_EQ(mute.accepted(), CSendThread::kMaxOutstanding);
}

TEST_F(SendFailureTest, SlowLookupIsAbandonedAtTheBudgetAndHoldsUpNothing)
{
    auto release = std::make_shared<std::promise<void>>();
    std::shared_future<void> released = release->get_future().share();
    auto lookups = std::make_shared<std::atomic<int>>(0);
    SendServices services;
    services.lookup = [released, lookups](const QByteArray &) -> std::optional<std::uint32_t> {
        ++*lookups;
        released.wait();
        return inet_addr("127.0.0.1");
    };
    QElapsedTimer timer;
    timer.start();
    {
        const auto outcome = runSend(sendRequest(u"slow.test:7777"_s, 1, 1, 300), settings, services);
        EXPECT_EQ(outcome.results, Results({{11, u"slow.test:7777"_s}}));
    } // the task is destroyed here, with the lookup still running
    EXPECT_LT(timer.elapsed(), 300 + kSlack);
    EXPECT_EQ(lookups->load(), 1);

    // Stopping a send in the middle of a lookup does not wait for the lookup either.
    timer.restart();
    {
        CSendThread task(sendRequest(u"slow.test"_s, 1, 1, 60000), settings, services);
        task.start();
        ASSERT_TRUE(test::waitUntil([&] { return lookups->load() == 2; }));
    }
    EXPECT_LT(timer.elapsed(), kSlack);
    release->set_value();
}

TEST_F(SendFailureTest, StoppedSendEndsAtOnceAndReportsNothing)
{
    RawStation mute(RawStation::Mode::NeverAnswer);
    QObject context;
    Results results;
    QElapsedTimer timer;
    {
        CSendThread task(sendRequest(u"127.0.0.1:%1"_s.arg(mute.port()), 1, 1, 60000), settings);
        QObject::connect(&task, &CSendThread::sendResult, &context,
                         [&](SendResultCode code, const QString &text) { results.emplace_back(int(code), text); });
        task.start();
        ASSERT_TRUE(test::waitUntil([&] { return mute.accepted() == 1; }));
        timer.start();
        task.stop();
        EXPECT_TRUE(task.isFinished());
    }
    EXPECT_LT(timer.elapsed(), kSlack);
    QCoreApplication::processEvents();
    EXPECT_TRUE(results.empty());
}

TEST_F(SendFailureTest, ListWithoutDestinationsReportsNothing)
{
    const auto outcome = runSend(sendRequest(u" ; ;;"_s, 1, 1), settings);
    EXPECT_TRUE(outcome.ended);
    EXPECT_TRUE(outcome.results.empty());
}

// ---- the e-mail part

class FakeMailJob : public MailSendJob {
public:
    FakeMailJob(bool ends, QString error)
        : m_ends(ends)
        , m_error(std::move(error))
    {
    }
    bool waitUntil(std::chrono::steady_clock::time_point deadline) override
    {
        if (!m_ends)
            std::this_thread::sleep_until(deadline);
        return m_ends;
    }
    void cancel() override { ++cancels; }
    QString errorText() const override { return m_error; }

    static inline std::atomic<int> cancels{0};

private:
    const bool m_ends;
    const QString m_error;
};

struct MailRecord {
    QStringList addresses;
    QByteArray body;
};

SendServices mailServices(MailRecord &record, bool ends, const QString &error)
{
    SendServices services;
    services.mail = [&record, ends, error](const QStringList &addresses, const QByteArray &body,
                                           std::function<void(const QString &)> status) {
        record = {addresses, body};
        status(u"Start mail sending process."_s);
        return std::make_unique<FakeMailJob>(ends, error);
    };
    return services;
}

TEST_F(SendFailureTest, EmailOnlyListReportsTheMailOutcomeAlone)
{
    MailRecord record;
    auto outcome = runSend(sendRequest(u"Bob/bob@example.org; carl@example.org"_s, 1, 1), settings,
                           mailServices(record, true, {}));
    EXPECT_EQ(outcome.results, Results({{5, u"Mail send successfully."_s}}));
    EXPECT_EQ(record.addresses, QStringList({u"bob@example.org"_s, u"carl@example.org"_s}));
    EXPECT_EQ(record.body, "Hello");
    EXPECT_TRUE(outcome.statuses.contains(u"Start mail sending process."_s));

    outcome = runSend(sendRequest(u"bob@example.org"_s, 1, 1), settings, mailServices(record, true, u"refused"_s));
    EXPECT_EQ(outcome.results, Results({{6, u"refused"_s}}));

    FakeMailJob::cancels = 0;
    outcome = runSend(sendRequest(u"bob@example.org"_s, 1, 1, 200), settings,
                      mailServices(record, false, u"Unable to connect with SMTP server smtp.test"_s));
    EXPECT_EQ(outcome.results, Results({{6, u"Unable to connect with SMTP server smtp.test"_s}}));
    EXPECT_EQ(FakeMailJob::cancels.load(), 1);
}

TEST_F(SendFailureTest, WithoutAMailSenderEmailFailsHonestly)
{
    settings.set(keys::SMTPServer, u"smtp.example.org:25"_s);
    const auto outcome = runSend(sendRequest(u"bob@example.org"_s, 1, 1), settings);
    EXPECT_EQ(outcome.results, Results({{6, u"Unable to connect with SMTP server smtp.example.org:25"_s}}));
}

TEST_F(SendFailureTest, MailAndNetworkPartsReportSeparately)
{
    test::UdpSink sink;
    MailRecord record;
    const auto outcome = runSend(sendRequest(u"127.0.0.1:%1u;Bob/bob@example.org"_s.arg(sink.port()), 1, 1), settings,
                                 mailServices(record, true, {}));
    EXPECT_EQ(outcome.results, Results({{5, u"Mail send successfully."_s}, {0, QString()}}));
    EXPECT_FALSE(sink.receive().isEmpty());
}

} // namespace
} // namespace tq
