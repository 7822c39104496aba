#include "messages/IncomingFilters.h"

#include "messages/FilteredMessageFile.h"
#include "messages/KillWordFilter.h"
#include "messages/TextFileLines.h"

namespace tq {
namespace {

QByteArray killWordReasonLine(const QByteArray &word)
{
    return filtered::kKillWordPrefix + word + "\"\r\n";
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
        return Rejection{FilterVerdict::NotInAddressBook, filtered::kNotInAddressBook};

    if (!name.isEmpty() && sources.isDeactivatedSender && sources.isDeactivatedSender(name))
        return Rejection{FilterVerdict::NotActivated, filtered::kNotActivated};

    if (const std::optional<QByteArray> killWords = readLinesEndingCrLf(settings.killFile)) {
        if (const std::optional<QByteArray> word = findKillWord(*killWords, message.text))
            return Rejection{FilterVerdict::KillWord, killWordReasonLine(*word)};
    }

    if (settings.dontDuplicate && sources.newestRecord) {
        const std::optional<NewestRecord> newest = sources.newestRecord();
        if (newest && isDuplicateOfNewest(message, *newest))
            return Rejection{FilterVerdict::Duplicate, filtered::kDuplicated};
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
