#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace tq {

class FilteredMessageFile;

// The settings the filter chain consults on every message, as the station holds them.
struct IncomingFilterSettings {
    bool onlyKnownUsers = false; // "OnlyKnowUsers"
    bool dontDuplicate = true; // "DontDuplicate"
    QString killFile; // the kill-word file (see killFilePath); read anew for each message
};

// The newest record of the message list, as far as the duplicate test looks at it.
struct NewestRecord {
    QByteArray sender; // systemName '/' senderAddress
    QByteArray text; // the arrival stamp line, then the message text
};

// What the chain looks up in the view's state. The view binds these to its address-book
// snapshot (as built at the last refresh) and its message list.
struct IncomingFilterSources {
    // AddressBookSnapshot::IsKnownSender: an active user with a host, by whole name,
    // ignoring case.
    std::function<bool(const QByteArray &systemName)> isKnownSender;
    // AddressBookSnapshot::IsDeactivatedSender: a deactivated user, or a member of a
    // deactivated group.
    std::function<bool(const QByteArray &systemName)> isDeactivatedSender;
    // MessageList's newest record; none while the list is empty.
    std::function<std::optional<NewestRecord>()> newestRecord;
};

// A parsed incoming message at the point where the filters look at it.
struct IncomingMessage {
    QByteArray systemName;
    QByteArray senderAddress;
    QByteArray text; // the packet's text field as received
    QByteArray arrivalStamp; // long date, ", ", time
};

enum class FilterVerdict { Pass, NotInAddressBook, NotActivated, KillWord, Duplicate };

// Runs the filters in their fixed order: only address-book users (when asked for),
// deactivated users and groups, kill words (from the kill-word file, read anew each time;
// without a readable file this filter is skipped), duplicates of the newest record (when
// asked for). The first rejection is handed to `deadFile` with its reason before this
// returns; a rejected message is not to be shown, stored, counted or answered.
FilterVerdict RunIncomingFilters(const IncomingMessage &message, const IncomingFilterSettings &settings,
                                 const IncomingFilterSources &sources, FilteredMessageFile &deadFile);

} // namespace tq
