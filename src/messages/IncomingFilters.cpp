#include "messages/IncomingFilters.h"

#include "messages/FilteredMessageFile.h"
#include "messages/KillWordFilter.h"
#include "messages/TextFileLines.h"
#include "res/StringTable.h"

namespace tq {
namespace {

QByteArray reasonLine(Sid id)
{
    return tqString(id).toUtf8();
}

QByteArray killWordReasonLine(const QByteArray &word)
{
    return reasonLine(Sid::FilteredKillWordPrefix) + word + "\"\r\n";
}

bool isDuplicateOfNewest(const IncomingMessage &message, const NewestRecord &newest)
{
    if (newest.sender != message.systemName + '/' + message.senderAddress)
        return false;
    const qsizetype lineFeed = newest.text.indexOf('\n');
    return lineFeed >= 0 && QByteArrayView(newest.text).sliced(lineFeed + 1) == message.text;
}

struct Rejection {
    FilterVerdict verdict;
    QByteArray reasonLine;
};

std::optional<Rejection> firstRejection(const IncomingMessage &message, const IncomingFilterSettings &settings,
                                        const IncomingFilterSources &sources)
{
    const QByteArray &name = message.systemName;
    // A lookup the view did not provide finds nobody.
    if (settings.onlyKnownUsers && (name.isEmpty() || !sources.isKnownSender || !sources.isKnownSender(name)))
        return Rejection{FilterVerdict::NotInAddressBook, reasonLine(Sid::FilteredNotInAddressBook)};

    if (!name.isEmpty() && sources.isDeactivatedSender && sources.isDeactivatedSender(name))
        return Rejection{FilterVerdict::NotActivated, reasonLine(Sid::FilteredNotActivated)};

    if (const std::optional<QByteArray> killWords = readLinesEndingCrLf(settings.killFile)) {
        if (const std::optional<QByteArray> word = findKillWord(*killWords, message.text))
            return Rejection{FilterVerdict::KillWord, killWordReasonLine(*word)};
    }

    if (settings.dontDuplicate && sources.newestRecord) {
        const std::optional<NewestRecord> newest = sources.newestRecord();
        if (newest && isDuplicateOfNewest(message, *newest))
            return Rejection{FilterVerdict::Duplicate, reasonLine(Sid::FilteredDuplicated)};
    }
    return std::nullopt;
}

} // namespace

FilterVerdict RunIncomingFilters(const IncomingMessage &message, const IncomingFilterSettings &settings,
                                 const IncomingFilterSources &sources, FilteredMessageFile &deadFile)
{
    const std::optional<Rejection> rejection = firstRejection(message, settings, sources);
    if (!rejection)
        return FilterVerdict::Pass;
    deadFile.SaveFilteredMessage(filteredEntryText(rejection->reasonLine, message.arrivalStamp, message.text));
    return rejection->verdict;
}

} // namespace tq
