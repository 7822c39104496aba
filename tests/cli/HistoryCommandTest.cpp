// "tarquel history" on a messages folder made here: what it prints of which messages, in
// which order and form, and the words it has for bad usage.
#include "TarquelProcess.h"

#include "history/HistoryFolder.h"
#include "settings/SettingsStore.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

class TarquelHistory : public test::HistoryFolder {
protected:
    void SetUp() override { ASSERT_TRUE(SettingsStore().set(keys::StoreAndLoad, 1)); }

    // One hour east of UTC all year, so that arrivals in JSON have a known offset.
    static test::TarquelRun history(const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"TZ"_s, u"<+01>-1"_s);
        return test::runTarquel(QStringList{u"history"_s} + arguments, environment);
    }

    // The sender lines of the readable form, in the order printed.
    static QStringList senderLines(const test::TarquelRun &run)
    {
        return run.outLines().filter(QRegularExpression(u"^From: "_s));
    }

    static QStringList fileNamesOf(const test::TarquelRun &run)
    {
        QStringList names;
        for (const QJsonObject &message : run.jsonLines())
            names.append(QFileInfo(message.value(u"file"_s).toString()).fileName());
        return names;
    }

    static void expectBadUsage(const test::TarquelRun &run, const QStringList &mentioned)
    {
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        for (const QString &text : mentioned)
            EXPECT_TRUE(run.err.contains(text)) << text.toStdString() << " not in: " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(u"Run \"tarquel history --help\""_s)) << run.err.toStdString();
    }
};

TEST_F(TarquelHistory, EveryStoredMessageNewestFirstInReadableForm)
{
    const auto run = history({});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Files of earlier years come after those of 2024 although their names sort among them;
    // the empty, the malformed and the foreign files are not messages.
    EXPECT_EQ(senderLines(run),
              (QStringList{u"From: CHLOÉ/10.0.0.9"_s, u"From: BERND/10.0.0.7:8000u, high importance"_s,
                           u"From: ANN/10.0.0.5"_s, u"From: ZED/10.0.0.12"_s, u"From: ANN/10.0.0.5"_s,
                           u"From: DAN/10.0.0.11"_s}));
    EXPECT_TRUE(run.err.contains(u"Messages found: 6 of 6 stored."_s)) << run.err.toStdString();
    // The Windows-1252 text decoded, its CR LF one line break, an empty line after each message.
    EXPECT_TRUE(run.out.contains(u"\n\nFriday, 5 January 2024, 09:30:00\nFrom: ANN/10.0.0.5\nMessage from Ann "
                                 "Example to Bob.\n\nLunch at noon?\nThe usual place.\n\n"_s))
        << run.out.toStdString();
    EXPECT_FALSE(run.out.contains(u'\r'));
    // A text without a stamp line has none.
    EXPECT_TRUE(run.out.contains(u"\n\nFrom: ZED/10.0.0.12\nhello without stamp\n\n"_s)) << run.out.toStdString();
}

TEST_F(TarquelHistory, WordsInAnyOrderAndCaseInEitherEncodingInTextOrSender)
{
    // Stored in Windows-1252, typed in UTF-8 and in other case ("ß" is "SS").
    const auto bernd1252 = history({u"--search"_s, u"MÜNCHEN grüsse €"_s});
    EXPECT_EQ(bernd1252.exitCode, 0);
    EXPECT_EQ(bernd1252.out,
              u"Saturday, 10 February 2024, 14:30:00\nFrom: BERND/10.0.0.7:8000u, high importance\n"
              "Message from Bernd to Bob.\n\nGrüße aus München, € 50\n\n"_s);

    const struct {
        QStringList arguments;
        QStringList files;
    } cases[] = {
        {{u"--search"_s, u"büro ärger"_s}, {chloe}},
        {{u"-s"_s, u"LUNCH"_s}, {annLunch, dan}},
        // The sender is searched as text too, and several --search options add their words.
        {{u"--search"_s, u"chloé"_s}, {chloe}},
        {{u"--search"_s, u"lunch"_s, u"--search"_s, u"noon"_s}, {annLunch}},
        {{u"--from"_s, u"ann"_s}, {annLunch, annNewYear}},
        {{u"--from"_s, u"10.0.0.7"_s}, {bernd}},
        {{u"-f"_s, u"Chloé/10.0.0.9"_s}, {chloe}},
        // "an" is in "ANN" but is no sender.
        {{u"--from"_s, u"an"_s}, {}},
        {{u"--from"_s, u"dan"_s, u"--search"_s, u"lunch"_s}, {dan}},
        {{u"--search"_s, u"lunch bernd"_s}, {}},
    };
    for (const auto &c : cases) {
        const auto run = history(c.arguments + QStringList{u"--json"_s});
        EXPECT_EQ(run.exitCode, 0) << c.arguments.join(u' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(fileNamesOf(run), c.files) << c.arguments.join(u' ').toStdString();
    }
}

TEST_F(TarquelHistory, DatesAndMomentsBoundTheArrivals)
{
    const struct {
        QStringList arguments;
        QStringList files;
    } cases[] = {
        {{u"--since"_s, u"2024-01-01"_s}, {chloe, bernd, annLunch, zed}},
        {{u"--until"_s, u"2023-12-31"_s}, {annNewYear, dan}},
        // A whole day at either end.
        {{u"--since"_s, u"2024-01-05"_s, u"--until"_s, u"2024-02-10"_s}, {bernd, annLunch}},
        // Moments are included at either end, to the millisecond.
        {{u"--since"_s, u"2024-01-05T09:30"_s, u"--until"_s, u"2024-02-10T14:29:59.999"_s}, {annLunch}},
        {{u"--since"_s, u"2024-01-05T09:30:00.001"_s, u"--until"_s, u"2024-02-10 14:30"_s}, {bernd}},
        // With an offset, the moment is taken to this machine's time (one hour east of UTC).
        {{u"--since"_s, u"2023-12-31T22:59:59Z"_s, u"--until"_s, u"2024-01-03T00:00:00+01:00"_s}, {zed, annNewYear}},
        {{u"--since"_s, u"2023-12-31T23:00:00Z"_s, u"--until"_s, u"2024-01-02T21:59:59.999-01:00"_s}, {}},
        {{u"--from"_s, u"ann"_s, u"--since"_s, u"2024-01-01"_s}, {annLunch}},
    };
    for (const auto &c : cases) {
        const auto run = history(c.arguments + QStringList{u"--json"_s});
        EXPECT_EQ(run.exitCode, 0) << c.arguments.join(u' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(fileNamesOf(run), c.files) << c.arguments.join(u' ').toStdString();
    }
}

TEST_F(TarquelHistory, JsonGivesOneObjectPerMessage)
{
    const auto run = history({u"--json"_s, u"--since"_s, u"2024-02-01"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QList<QJsonObject> messages = run.jsonLines();
    ASSERT_EQ(messages.size(), 2) << run.out.toStdString();
    EXPECT_EQ(run.outLines().size(), 2);
    const QJsonObject fromBernd = messages[1];
    EXPECT_EQ(fromBernd.value(u"arrival"_s).toString(), u"2024-02-10T14:30:00.000+01:00"_s);
    EXPECT_EQ(fromBernd.value(u"sender"_s).toString(), u"BERND/10.0.0.7:8000u"_s);
    EXPECT_EQ(fromBernd.value(u"importance"_s).toString(), u"high"_s);
    EXPECT_EQ(fromBernd.value(u"text"_s).toString(), u"Message from Bernd to Bob.\n\nGrüße aus München, € 50"_s);
    EXPECT_EQ(fromBernd.value(u"file"_s).toString(), folder + bernd);
    EXPECT_EQ(messages[0].value(u"sender"_s).toString(), u"CHLOÉ/10.0.0.9"_s);
    EXPECT_EQ(messages[0].value(u"importance"_s).toString(), u"normal"_s);
    EXPECT_EQ(messages[0].value(u"arrival"_s).toString(), u"2024-03-01T08:00:00.000+01:00"_s);
}

TEST_F(TarquelHistory, ControlCharactersOfATextDoNotReachTheTerminal)
{
    put(u"0302100000000EVE.tqm"_s,
        "0EVE/10.0.0.66\r\nSaturday, 2 March 2024, 10:00:00\r\nMessage from Eve to Bob.\r\n\r\nred\x1B[31m\x07!"_ba);
    const auto readable = history({u"--from"_s, u"eve"_s});
    EXPECT_TRUE(readable.out.contains(u"red\uFFFD[31m\uFFFD!\n"_s)) << readable.out.toStdString();
    EXPECT_FALSE(readable.out.contains(u'\x1B'));
    // JSON escapes them: programs get the text as it came.
    const auto json = history({u"--from"_s, u"eve"_s, u"--json"_s});
    ASSERT_EQ(json.jsonLines().size(), 1);
    EXPECT_TRUE(json.jsonLines()[0].value(u"text"_s).toString().endsWith(u"red\x1B[31m\x07!"_s));
}

TEST_F(TarquelHistory, NothingFoundIsNoFailure)
{
    const auto run = history({u"--search"_s, u"nowhere"_s});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(u"Messages found: 0 of 6 stored."_s)) << run.err.toStdString();
}

TEST_F(TarquelHistory, WithStoringOffItSaysThatThereAreNoStoredMessages)
{
    ASSERT_TRUE(SettingsStore().set(keys::StoreAndLoad, 0));
    const auto run = history({u"--search"_s, u"lunch"_s});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(
        run.err.contains(u"There are no stored messages: keeping received messages in files is switched off."_s))
        << run.err.toStdString();
    // Bad usage is still bad usage.
    expectBadUsage(history({u"--since"_s, u"soon"_s}), {u"--since \"soon\""_s});
}

TEST_F(TarquelHistory, BadDatesAndArgumentsAreNamed)
{
    expectBadUsage(history({u"--since"_s, u"2024-02-30"_s}), {u"--since \"2024-02-30\""_s, u"YYYY-MM-DD"_s});
    expectBadUsage(history({u"--until"_s, u"yesterday"_s}), {u"--until \"yesterday\""_s});
    expectBadUsage(history({u"--until"_s, u"2024-2-1"_s}), {u"--until \"2024-2-1\""_s});
    // Qt would read a date followed by anything as the date alone.
    expectBadUsage(history({u"--since"_s, u"2024-02-10x"_s}), {u"--since \"2024-02-10x\""_s});
    expectBadUsage(history({u"--since"_s, u"2024-02-10T25:00"_s}), {u"--since \"2024-02-10T25:00\""_s});
    expectBadUsage(history({u"--since"_s, u"2024-03-01"_s, u"--until"_s, u"2024-02-01"_s}),
                   {u"--since 2024-03-01 is later than --until 2024-02-01"_s});
    expectBadUsage(history({u"--since"_s, u"2024-01-01"_s, u"--since"_s, u"2024-02-01"_s}),
                   {u"--since is given more than once"_s});
    expectBadUsage(history({u"--from"_s, u"ann"_s, u"--from"_s, u"dan"_s}), {u"--from is given more than once"_s});
    expectBadUsage(history({u"--search"_s, u"lunch"_s, u"noon"_s}), {u"\"noon\" is no option"_s});
    expectBadUsage(history({u"--since"_s}), {u"--since"_s});
    expectBadUsage(history({u"--color"_s}), {u"color"_s});
}

TEST_F(TarquelHistory, HasItsHelp)
{
    const auto help = history({u"--help"_s});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(u"Usage: tarquel history [options]"_s)) << help.out.toStdString();
    for (const QString &option :
         {u"--search <WORDS>"_s, u"--from <SENDER>"_s, u"--since <DATE>"_s, u"--until <DATE>"_s, u"--json"_s})
        EXPECT_TRUE(help.out.contains(option)) << option.toStdString();
    EXPECT_EQ(test::runTarquel({u"help"_s, u"history"_s}).out, help.out);
    EXPECT_TRUE(test::runTarquel({u"--help"_s}).out.contains(u"\n  history "_s));
}

} // namespace
} // namespace tq
