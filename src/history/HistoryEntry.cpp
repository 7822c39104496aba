#include "history/HistoryEntry.h"

#include "history/StoredArrival.h"
#include "messages/CaseFolding.h"
#include "messages/DisplayText.h"
#include "messages/QuoteMessage.h"

namespace tq {
namespace {

constexpr qint64 kMsPerDay = 24 * 60 * 60 * 1000;
// A list row shows no more of the first line than this.
constexpr qsizetype kFirstLineLimit = 200;

bool isBlank(QByteArrayView line)
{
    for (const char c : line) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\v' && c != '\f')
            return false;
    }
    return true;
}

} // namespace

qint64 wallClockKey(const QDate &date, const QTime &time)
{
    return date.toJulianDay() * kMsPerDay + time.msecsSinceStartOfDay();
}

QDateTime HistoryEntry::arrival() const
{
    const qint64 day = arrivalKey / kMsPerDay;
    return QDateTime(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(int(arrivalKey - day * kMsPerDay)));
}

QString HistoryEntry::firstLine() const
{
    // A text without a line end has no stamp line: all of it is the message.
    QByteArrayView rest = record.text.contains('\n') ? quotedPart(record.text) : QByteArrayView(record.text);
    while (!rest.isEmpty()) {
        const qsizetype lineFeed = rest.indexOf('\n');
        const QByteArrayView line = lineFeed < 0 ? rest : rest.first(lineFeed);
        if (!isBlank(line))
            return decodeMessageBytes(line.toByteArray()).trimmed().left(kFirstLineLimit);
        rest = lineFeed < 0 ? QByteArrayView() : rest.sliced(lineFeed + 1);
    }
    return {};
}

HistoryEntryPtr makeHistoryEntry(const MessageRecord &record, qint64 modifiedMs)
{
    auto entry = std::make_shared<HistoryEntry>();
    entry->record = record;
    const QByteArrayView text(record.text);
    // The stamp line is this station's own; a text without a line end has none.
    const qsizetype stampEnd = text.indexOf('\n') + 1;
    const QByteArrayView stamp = stampEnd > 0 ? text.first(stampEnd) : QByteArrayView();
    const QStringView fileName = QStringView(record.filePath).sliced(record.filePath.lastIndexOf(u'/') + 1);
    const WallClock arrival = storedArrival(fileName, stamp, modifiedMs);
    entry->arrivalKey = wallClockKey(arrival.date, arrival.time);

    const QByteArray sender = foldMessageBytesToUtf8(record.sender);
    const QByteArray message = foldMessageBytesToUtf8(text.sliced(stampEnd));
    // Made to measure: a hundred thousand of these stay in memory. Words never hold a line
    // feed, so none is found across the two.
    entry->folded.reserve(sender.size() + 1 + message.size());
    entry->folded.append(sender).append('\n').append(message);
    entry->foldedSenderSize = sender.size();
    return entry;
}

bool isOlder(const HistoryEntry &a, const HistoryEntry &b)
{
    if (a.arrivalKey != b.arrivalKey)
        return a.arrivalKey < b.arrivalKey;
    return a.record.filePath < b.record.filePath;
}

} // namespace tq
