#include "history/HistoryQuery.h"

#include "HistoryFolder.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

class HistorySearchTest : public test::HistoryFolder {
protected:
    void SetUp() override { buildIndex(index); }

    QStringList found(const HistoryQuery &query) const { return fileNamesOf(searchHistory(*index.snapshot(), query)); }

    HistoryIndex index;
};

TEST_F(HistorySearchTest, EveryReadableMessageFileNewestFirstWithTheYearItArrivedIn)
{
    // The empty, the broken and the foreign files are not there; name order would put the
    // 2023 and 2022 messages among those of 2024.
    EXPECT_EQ(found({}), QStringList({chloe, bernd, annLunch, zed, annNewYear, dan}));
    const HistoryEntries &entries = index.snapshot()->entries;
    std::vector<std::pair<QDateTime, QString>> arrivals;
    for (const HistoryEntryPtr &entry : entries)
        arrivals.emplace_back(entry->arrival(), entry->firstLine());
    EXPECT_EQ(arrivals,
              (std::vector<std::pair<QDateTime, QString>>{
                  {QDateTime(QDate(2022, 6, 15), QTime(12, 0)), QStringLiteral("Old lunch notes")},
                  {QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59)), QStringLiteral("Happy new year!")},
                  {QDateTime(QDate(2024, 1, 3), QTime(0, 0)), QStringLiteral("hello without stamp")},
                  {QDateTime(QDate(2024, 1, 5), QTime(9, 30)), QStringLiteral("Lunch at noon?")},
                  {QDateTime(QDate(2024, 2, 10), QTime(14, 30)), QString::fromUtf8("Grüße aus München, € 50")},
                  {QDateTime(QDate(2024, 3, 1), QTime(8, 0)), QString::fromUtf8("ÄRGER im Büro")},
              }));
}

TEST_F(HistorySearchTest, WordsInAnyOrderAndCaseInEitherEncodingSenderAndDays)
{
    struct Case {
        HistoryQuery query;
        QStringList expected;
    };
    const auto words = [](const char *text) { return HistoryQuery{QString::fromUtf8(text), {}, {}, {}}; };
    const auto from = [](const char *sender) { return HistoryQuery{{}, QString::fromUtf8(sender), {}, {}}; };
    const QDate newYear(2024, 1, 1);
    const Case cases[] = {
        {words("lunch"), {annLunch, dan}},
        {words("  noon\tLUNCH "), {annLunch}},
        {words("lunch bernd"), {}},
        // Typed in UTF-8, stored in Windows-1252; "ß" is "SS" in upper case.
        {words("grüße"), {bernd}},
        {words("GRÜSSE €  münchen"), {bernd}},
        {words("ärger büro"), {chloe}},
        // The sender counts as text, and so does the heading that names the sender.
        {words("chloé"), {chloe}},
        {words("10.0.0.7"), {bernd}},
        {words("example"), {annLunch, annNewYear}},
        // The arrival stamp is no part of the message: the date fields look at the days.
        {words("january"), {}},
        {words("without stamp"), {zed}},
        // Punctuation is part of a word: "noon?" is there, "noon." is not.
        {words("NOON?"), {annLunch}},
        {words("noon."), {}},
        {words("unch"), {annLunch, dan}},
        {from("ann"), {annLunch, annNewYear}},
        {from("Bernd/10.0.0.7:8000U"), {bernd}},
        {from("10.0.0.7:8000u"), {bernd}},
        {from("10.0.0.7"), {bernd}},
        {from("an"), {}},
        {from("10.0.0"), {}},
        {{{}, {}, newYear, {}}, {chloe, bernd, annLunch, zed}},
        {{{}, {}, {}, newYear.addDays(-1)}, {annNewYear, dan}},
        {{{}, {}, QDate(2024, 1, 5), QDate(2024, 2, 10)}, {bernd, annLunch}},
        {{QStringLiteral("lunch"), QStringLiteral("dan"), {}, QDate(2023, 1, 1)}, {dan}},
        {{QStringLiteral("lunch"), QStringLiteral("dan"), newYear, {}}, {}},
        // Moments within the first and the last day, both included.
        {{{}, {}, QDate(2024, 1, 5), QDate(2024, 2, 10), QTime(9, 30), QTime(14, 29, 59, 999)}, {annLunch}},
        {{{}, {}, QDate(2024, 1, 5), QDate(2024, 2, 10), QTime(9, 30, 0, 1), QTime(14, 30)}, {bernd}},
        {{{}, {}, QDate(2023, 12, 31), {}, QTime(23, 59, 59), {}}, {chloe, bernd, annLunch, zed, annNewYear}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(found(c.query), c.expected)
            << "words '" << c.query.words.toStdString() << "' sender '" << c.query.sender.toStdString() << "' "
            << c.query.since.toString(Qt::ISODate).toStdString() << " to "
            << c.query.until.toString(Qt::ISODate).toStdString();
    }
}

} // namespace
} // namespace tq
