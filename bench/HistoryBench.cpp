// The history with 10,000 and 100,000 stored messages: how long the index takes to build from
// what the start-up read, how soon the History window shows it, and what one search costs,
// beside a plain linear scan of the same texts (decode each, compare without regard to case)
// in the same run.
//   bench_history [count...]        (default: 10000 100000)
// Exits with 1 when the index and the plain scan disagree on what a query finds.
#include "BenchSupport.h"

#include "history/HistoryIndex.h"
#include "history/HistoryQuery.h"
#include "history/HistorySearcher.h"
#include "history/HistoryTableModel.h"
#include "history/HistoryWindow.h"
#include "messages/CaseFolding.h"
#include "messages/DisplayText.h"
#include "messages/MessageFiles.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <random>

#include <string.h>
#include <vector>

namespace {

constexpr double kOpenAimMs = 500;
constexpr double kSearchAimMs = 50;

const char *const kWords[] = {
    "the",     "meeting",  "tomorrow", "lunch", "report",   "server",  "printer",  "coffee",   "please",
    "call",    "me",       "back",     "when",  "you",      "can",     "project",  "deadline", "is",
    "friday",  "budget",   "review",   "draft", "ready",    "thanks",  "see",      "at",       "noon",
    "room",    "booked",   "network",  "down",  "again",    "backup",  "finished", "update",   "installed",
    "restart", "your",     "computer", "today", "week",     "holiday", "invoice",  "customer", "waiting",
    "answer",  "question", "about",    "order", "shipping", "delayed"};

// A typical message: the heading another station writes, then twenty to sixty words; one in
// twenty in Windows-1252 with German letters, one in fifty naming a rare code word.
QByteArray messageText(std::mt19937 &random, int i, const QDateTime &arrival)
{
    QByteArray text = QLocale::c().toString(arrival, QStringLiteral("dddd, d MMMM yyyy, HH:mm:ss")).toUtf8();
    text.append("\r\nMessage from Colleague ").append(QByteArray::number(i % 200)).append(" to Bob.\r\n\r\n");
    std::uniform_int_distribution<int> length(20, 60);
    std::uniform_int_distribution<size_t> word(0, std::size(kWords) - 1);
    const int words = length(random);
    for (int w = 0; w < words; ++w) {
        text.append(kWords[word(random)]);
        text.append(w % 12 == 11 ? "\r\n" : " ");
    }
    if (i % 20 == 0)
        text.append("Viele Gr\xFC\xDF"
                    "e aus M\xFC"
                    "nchen");
    if (i % 50 == 0)
        text.append(" zeppelin").append(QByteArray::number(i % 7));
    return text;
}

bool writeMessages(const QString &folder, int count)
{
    QDir().mkpath(folder);
    std::mt19937 random(20240101);
    // Three years of messages, so names of different years meet in one folder.
    const QDateTime first(QDate(2022, 1, 1), QTime(8, 0));
    const qint64 stepMs = 3LL * 365 * 24 * 3600 * 1000 / count;
    for (int i = 0; i < count; ++i) {
        const QDateTime arrival = first.addMSecs(i * stepMs);
        const QByteArray name = "PC" + QByteArray::number(i % 200);
        if (!tq::WriteMessageFile(i % 25 ? '0' : '1', name, name + "/10.0.1." + QByteArray::number(i % 200 + 1),
                                  messageText(random, i, arrival), arrival, folder)) {
            return false;
        }
    }
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Resident memory of this process in MiB.
double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// What a search without an index does: decode every message and compare without regard to
// case, word by word.
size_t plainScan(const std::vector<tq::StoredMessageFile> &files, const QStringList &words)
{
    size_t found = 0;
    for (const tq::StoredMessageFile &file : files) {
        const QByteArray &text = file.record.text;
        const QString message = tq::decodeMessageBytes(file.record.sender) + QLatin1Char('\n')
            + tq::decodeMessageBytes(text.sliced(text.indexOf('\n') + 1));
        found += std::all_of(words.begin(), words.end(),
                             [&message](const QString &word) { return message.contains(word, Qt::CaseInsensitive); });
    }
    return found;
}

// The same over the folded copies the index keeps: what a search without the word index would
// cost.
size_t foldedScan(const tq::HistorySnapshot &snapshot, const QStringList &words)
{
    QByteArrayList folded;
    for (const QString &word : words)
        folded.append(tq::foldCase(word).toUtf8());
    size_t found = 0;
    for (const tq::HistoryEntryPtr &entry : snapshot.entries) {
        const QByteArray &text = entry->folded;
        found += std::all_of(folded.begin(), folded.end(), [&text](const QByteArray &word) {
            return ::memmem(text.constData(), size_t(text.size()), word.constData(), size_t(word.size())) != nullptr;
        });
    }
    return found;
}

bool measure(int count, const QString &root)
{
    const QString folder = root + QStringLiteral("/messages%1/").arg(count);
    if (!writeMessages(folder, count)) {
        std::fprintf(stderr, "could not write %d message files\n", count);
        return false;
    }
    const double startMiB = residentMiB();
    QElapsedTimer timer;
    timer.start();
    const std::vector<tq::StoredMessageFile> files = tq::ReadStoredMessageFiles(folder);
    const double readMs = timer.nsecsElapsed() / 1e6;
    const double recordsMiB = residentMiB() - startMiB;

    timer.restart();
    tq::HistoryIndex::Snapshot built = tq::HistoryIndex::snapshotOf(files);
    const double buildMs = timer.nsecsElapsed() / 1e6;
    const double indexMiB = residentMiB() - startMiB - recordsMiB;
    const size_t builtEntries = built->entries.size();
    built.reset();

    // The window opened at once after start-up, while the index is still being built.
    tq::SettingsStore settings(root + QStringLiteral("/settings.conf"));
    settings.set(tq::keys::StoreAndLoad, 1);
    tq::bench::QuietPrompter prompter;
    tq::HistoryIndex index;
    timer.restart();
    index.build(files);
    double openWhileBuildingMs = 0;
    {
        tq::HistoryWindow window(index, settings, prompter);
        window.show();
        while (window.model().rowCount() == 0)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        openWhileBuildingMs = timer.nsecsElapsed() / 1e6;
    }
    while (index.isBuilding())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double backgroundBuildMs = timer.nsecsElapsed() / 1e6;

    // The window opened over the whole index: until every row is there and painted.
    double openMs = 0;
    {
        timer.restart();
        tq::HistoryWindow window(index, settings, prompter);
        window.show();
        while (window.model().rowCount() != int(index.size()))
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        openMs = timer.nsecsElapsed() / 1e6;
    }

    std::printf("history: %d messages; start-up read %.0f ms (shared with the message list), index build %.0f ms on "
                "one thread (%zu entries), %.0f ms in the background\n",
                count, readMs, buildMs, builtEntries, backgroundBuildMs);
    std::printf("  memory: %.0f MiB for the records read at start-up, %.0f MiB more for the index\n", recordsMiB,
                indexMiB);
    std::printf("  window open: %.1f ms with the whole index, %.1f ms while it is being built (aim < %.0f ms%s)\n",
                openMs, openWhileBuildingMs, kOpenAimMs,
                std::max(openMs, openWhileBuildingMs) < kOpenAimMs ? "" : ", missed");

    struct Query {
        const char *words;
        const char *sender;
        bool sixMonths;
    };
    const Query queries[] = {
        {"the", "", false},
        {"meeting tomorrow", "", false},
        {"zeppelin3", "", false},
        {"GR\xC3\x9C\xC3\x9F"
         "e m\xC3\xBCnchen",
         "", false},
        {"xylophonist", "", false},
        {"report", "pc17", false},
        {"backup server", "", true},
    };
    std::printf("  %-32s %8s %10s %8s %12s %11s\n", "search", "found", "index", "window", "folded scan", "plain scan");
    tq::HistorySearcher searcher;
    bool agreed = true;
    for (const Query &query : queries) {
        tq::HistoryQuery historyQuery{QString::fromUtf8(query.words), QString::fromUtf8(query.sender), {}, {}};
        if (query.sixMonths) {
            historyQuery.since = QDate(2023, 3, 1);
            historyQuery.until = QDate(2023, 8, 31);
        }
        const QStringList words = historyQuery.words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const bool wordsOnly = historyQuery.sender.isEmpty() && !query.sixMonths;
        std::vector<double> indexMs;
        std::vector<double> windowMs;
        std::vector<double> foldedMs;
        std::vector<double> plainMs;
        size_t found = 0;
        for (int round = 0; round < 5; ++round) {
            timer.restart();
            found = tq::searchHistory(*index.snapshot(), historyQuery).size();
            indexMs.push_back(timer.nsecsElapsed() / 1e6);

            // As a keystroke in the window goes: the search thread and the hand-over back.
            bool answered = false;
            QObject context;
            QObject::connect(&searcher, &tq::HistorySearcher::found, &context,
                             [&answered](const tq::HistoryResult &) { answered = true; });
            timer.restart();
            searcher.search(index.snapshot(), historyQuery);
            while (!answered)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            windowMs.push_back(timer.nsecsElapsed() / 1e6);

            if (wordsOnly) {
                timer.restart();
                if (foldedScan(*index.snapshot(), words) != found)
                    agreed = false;
                foldedMs.push_back(timer.nsecsElapsed() / 1e6);
                timer.restart();
                const size_t plain = plainScan(files, words);
                plainMs.push_back(timer.nsecsElapsed() / 1e6);
                // Qt's comparison without case keeps "ß" apart from "SS"; the search does not.
                if (plain != found && historyQuery.words.toLatin1() == historyQuery.words.toUtf8())
                    agreed = false;
            }
        }
        QString label = u'"' + historyQuery.words + u'"';
        if (!historyQuery.sender.isEmpty())
            label += QStringLiteral(" from ") + historyQuery.sender;
        if (query.sixMonths)
            label += QStringLiteral(" in 6 months");
        const QByteArray printable = label.toUtf8();
        // printf pads by bytes; a label with letters beyond ASCII needs the difference.
        const int padding = 32 + int(printable.size() - label.size());
        std::printf("  %-*s %8zu %7.1f ms %5.1f ms", padding, printable.constData(), found, median(indexMs),
                    median(windowMs));
        if (wordsOnly)
            std::printf(" %9.1f ms %8.1f ms", median(foldedMs), median(plainMs));
        else
            std::printf(" %12s %11s", "-", "-");
        std::printf("  (aim < %.0f ms%s)\n", kSearchAimMs, median(windowMs) < kSearchAimMs ? "" : ", missed");
    }
    if (!agreed)
        std::printf("  the index and a scan of the texts disagree\n");

    // Typing into the window key by key: from each key to the list that answers it, the pause
    // that takes a burst of keys as one included.
    {
        tq::HistoryWindow window(index, settings, prompter);
        window.show();
        QCoreApplication::processEvents();
        auto *field = window.findChild<QLineEdit *>(QStringLiteral("searchField"));
        std::vector<double> keyMs;
        for (const QChar c : QStringLiteral("meeting tomorrow")) {
            timer.restart();
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
            QApplication::sendEvent(field, &release);
            while (window.model().result().query.words != field->text())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            keyMs.push_back(timer.nsecsElapsed() / 1e6);
        }
        const double slowest = *std::max_element(keyMs.begin(), keyMs.end());
        std::printf("  typing \"meeting tomorrow\" in the window: each key answered after %.1f ms (median), "
                    "%.1f ms at most, %d ms of it the pause for more keys (aim < %.0f ms%s)\n",
                    median(keyMs), slowest, tq::HistoryWindow::kTypingPauseMs, kSearchAimMs,
                    slowest < kSearchAimMs ? "" : ", missed");
    }
    return agreed;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> counts;
    for (const QString &arg : QCoreApplication::arguments().mid(1))
        counts.append(arg.toInt());
    if (counts.isEmpty())
        counts = {10000, 100000};
    QTemporaryDir root;
    bool agreed = true;
    for (const int count : counts)
        agreed = measure(count, root.path()) && agreed;
    return agreed ? 0 : 1;
}
