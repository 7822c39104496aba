#include "history/HistoryIndex.h"
#include "history/HistoryQuery.h"
#include "messages/CaseFolding.h"
#include "messages/DisplayText.h"

#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace tq {
namespace {

// Words of both encodings, with punctuation inside and around them.
const char *const kVocabulary[] = {"lunch",
                                   "Lunches",
                                   "noon?",
                                   "e-mail",
                                   "10.0.0.7",
                                   "Gr\xFC\xDF"
                                   "e",
                                   "M\xFCnchen,",
                                   "\x80",
                                   "\xC3\x84rger",
                                   "B\xC3\xBCro.",
                                   "STRASSE",
                                   "stra\xC3\x9F"
                                   "e",
                                   "(draft)",
                                   "report",
                                   "Report's",
                                   "backup",
                                   "server",
                                   "up",
                                   "a",
                                   "x"};

// A history made of generated messages, built, then changed by arrivals and deletions, must
// answer every query as reading every remaining text would.
class HistoryAgreement : public ::testing::Test {
protected:
    struct Stored {
        MessageRecord record;
        QDateTime arrival;
        // The sender and the message as the user reads them, in upper case.
        QString folded;
    };

    void keep(const MessageRecord &record, const QDateTime &arrival)
    {
        const QByteArray &text = record.text;
        remaining[record.filePath] = {record, arrival,
                                      foldMessageBytes(record.sender) + QLatin1Char('\n')
                                          + foldMessageBytes(text.sliced(text.indexOf('\n') + 1))};
    }

    MessageRecord makeRecord(int number, QDateTime *arrival)
    {
        *arrival = QDateTime(QDate(2024, 1, 1), QTime(0, 0)).addSecs(qint64(number) * 3571);
        MessageRecord record;
        record.sender = "PC" + QByteArray::number(number % 9) + "/10.0.0." + QByteArray::number(number % 5);
        record.text = arrival->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8() + "\r\n";
        std::uniform_int_distribution<size_t> word(0, std::size(kVocabulary) - 1);
        const int words = 3 + int(random() % 12);
        QByteArray body;
        for (int w = 0; w < words; ++w)
            body.append(kVocabulary[word(random)]).append(w % 4 == 3 ? "\r\n" : " ");
        // Either all UTF-8 or all Windows-1252, as a station writes it.
        record.text += number % 3 ? decodeMessageBytes(body).toUtf8() : decodeMessageBytes(body).toLatin1();
        record.filePath = QStringLiteral("/m/") + arrival->toString(QStringLiteral("MMddHHmmsszzz"))
            + QStringLiteral("PC%1.tqm").arg(number % 9);
        record.highImportance = number % 7 == 0;
        return record;
    }

    std::vector<QString> expected(const HistoryQuery &query) const
    {
        std::vector<std::pair<QDateTime, QString>> matches;
        const QStringList words = foldCase(query.words).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const auto &[path, stored] : remaining) {
            const bool wordsMatch = std::all_of(
                words.begin(), words.end(), [&stored](const QString &word) { return stored.folded.contains(word); });
            const bool senderMatches =
                query.sender.isEmpty() || foldMessageBytes(stored.record.sender) == foldCase(query.sender);
            const QDate day = stored.arrival.date();
            const bool daysMatch =
                (!query.since.isValid() || day >= query.since) && (!query.until.isValid() || day <= query.until);
            if (wordsMatch && senderMatches && daysMatch)
                matches.emplace_back(stored.arrival, path);
        }
        std::sort(matches.rbegin(), matches.rend());
        std::vector<QString> paths;
        for (const auto &match : matches)
            paths.push_back(match.second);
        return paths;
    }

    // One to three pieces of remaining texts, each cut at random and in a random case.
    HistoryQuery randomQuery()
    {
        HistoryQuery query;
        std::uniform_int_distribution<size_t> pick(0, remaining.size() - 1);
        const int pieces = 1 + int(random() % 3);
        for (int p = 0; p < pieces; ++p) {
            auto it = remaining.begin();
            std::advance(it, qsizetype(pick(random)));
            const QStringList words = displayText(it->second.record.text)
                                          .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            QString word = words.value(qsizetype(random() % quint32(words.size())));
            const qsizetype start = qsizetype(random() % quint32(word.size()));
            word = word.mid(start, 1 + qsizetype(random() % quint32(word.size() - start)));
            query.words += (random() % 2 ? word.toUpper() : word.toLower()) + QLatin1Char(' ');
        }
        if (random() % 5 == 0)
            query.sender = QStringLiteral("pc%1/10.0.0.%2").arg(random() % 9).arg(random() % 5);
        if (random() % 4 == 0) {
            query.since = QDate(2024, 1, 1).addDays(random() % 200);
            query.until = query.since.addDays(random() % 100);
        }
        return query;
    }

    std::mt19937 random{7};
    std::map<QString, Stored> remaining;
};

TEST_F(HistoryAgreement, TheIndexAnswersAsReadingEveryTextWould)
{
    std::vector<StoredMessageFile> files;
    for (int number = 0; number < 5000; ++number) {
        QDateTime arrival;
        const MessageRecord record = makeRecord(number, &arrival);
        files.push_back({record, arrival.toMSecsSinceEpoch()});
        keep(record, arrival);
    }
    HistoryIndex index;
    index.build(files);
    ASSERT_TRUE(test::waitUntil([&index] { return !index.isBuilding(); }));
    // Arrivals beyond the size of one arrival group, and deletions from the build's groups
    // and the arrivals' alike.
    for (int number = 5000; number < 5600; ++number) {
        QDateTime arrival;
        const MessageRecord record = makeRecord(number, &arrival);
        index.add(record, arrival.toMSecsSinceEpoch());
        keep(record, arrival);
        if (number % 3 == 0) {
            auto gone = remaining.begin();
            std::advance(gone, qsizetype(random() % remaining.size()));
            index.remove(gone->first);
            remaining.erase(gone);
        }
    }
    ASSERT_EQ(size_t(index.size()), remaining.size());

    for (int round = 0; round < 300; ++round) {
        const HistoryQuery query = randomQuery();
        std::vector<QString> found;
        for (const HistoryEntry *entry : searchHistory(*index.snapshot(), query))
            found.push_back(entry->record.filePath);
        ASSERT_EQ(found, expected(query))
            << "words '" << query.words.toStdString() << "' sender '" << query.sender.toStdString() << "' "
            << query.since.toString(Qt::ISODate).toStdString() << " to "
            << query.until.toString(Qt::ISODate).toStdString();
    }

    std::stop_source stopped;
    stopped.request_stop();
    EXPECT_TRUE(searchHistory(*index.snapshot(), {QStringLiteral("lunch"), {}, {}, {}}, stopped.get_token()).empty())
        << "a stopped search gives up";
}

} // namespace
} // namespace tq
