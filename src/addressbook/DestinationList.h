#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace tq {

// The code of a destination entry: what the send path does with it.
inline constexpr int kUserCode = 0;
inline constexpr int kBroadcastCode = 8;
inline constexpr int kAllUsersCode = 9;
// A group entry is kFirstGroupCode + the group's position in the store at the last refresh.
inline constexpr int kFirstGroupCode = 10;

// What the icon of an entry shows.
enum class DestinationKind { User, Broadcast, AllUsers, Group };

struct DestinationEntry {
    QString text;
    int code = kUserCode;

    DestinationKind kind() const;
    friend bool operator==(const DestinationEntry &, const DestinationEntry &) = default;
};

// The entries the destination field offers, kept sorted by text without regard to case.
// Entries that compare equal keep the order in which they came.
class DestinationList {
public:
    // "< All (broadcast) >", "< All users >", "< name >".
    static QString broadcastText();
    static QString allUsersText();
    static QString groupText(const QString &groupName);
    // A user outside any group: the name, then "/" and the host when there is one.
    static QString userText(const QString &name, const QString &host);

    void add(const DestinationEntry &entry);
    // Follows a change of "UseProtocol" without a refill: the broadcast entry is there exactly
    // while `present`.
    void setBroadcastPresent(bool present);
    bool hasBroadcast() const;

    const QList<DestinationEntry> &entries() const { return m_entries; }
    qsizetype size() const { return m_entries.size(); }
    const DestinationEntry &at(qsizetype index) const { return m_entries.at(index); }

    // The first entry, in list order, whose text begins with `text` ignoring case; -1 when none.
    qsizetype findPrefix(const QString &text) const;
    // The entry a destination text stands for: the selected entry when its text equals `text`
    // exactly, else findPrefix(text). -1 when none (the text is then taken as it is).
    qsizetype resolve(const QString &text, qsizetype selectedIndex) const;
    // What a send of the destination text goes to, as the send path reads it: every user and
    // the broadcast only by their entry's exact text, a group also by the beginning of its
    // entry's text, anything else as typed (stations and addresses, shown as a user). None
    // while the text is blank.
    std::optional<DestinationKind> kindOf(const QString &text, qsizetype selectedIndex) const;

private:
    QList<DestinationEntry> m_entries;
};

} // namespace tq
