#pragma once

#include "protocol/MessageHeadings.h"
#include "protocol/SendRequest.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <optional>

namespace tq {

class AddressBookSnapshot;
class DestinationList;

// The sender's side of a message, as the view's copy of the settings holds it.
struct OutgoingSender {
    QString fullName;
    QString systemName;
    QString signature;
    QString email;
    QByteArray ownIp;
    int tcpPort = 7777;
    int udpPort = 7777;
    int budgetMs = 3000;
    // Older stations read 8-bit Windows-1252. The packet goes out in it, every field alike,
    // when the user chose so or when a recipient's host is among `windows1252Hosts`, and
    // only when every character fits; otherwise in UTF-8, so no character is ever lost.
    bool preferWindows1252 = false;
    QSet<QString> windows1252Hosts;
};

// What the user (or the automatic answer) hands to the send.
struct OutgoingDraft {
    QString composeText; // as the compose box holds it
    QString destinationText; // the destination field as it stands
    qsizetype selectedIndex = -1; // the destination list's selected entry
    char importance = '0';
    // An automatic answer: its own heading, no signature in the packet, one destination and
    // no report.
    bool automaticAnswer = false;
};

// The text last sent to a destination that stands for several recipients, kept for the next
// time that destination is picked.
struct TemplateWrite {
    QString baseName; // the file's name without ".tqm"
    QString text; // the compose text, unchanged
};

// One send, ready to go.
struct OutgoingMessage {
    // The destination is empty: nothing is sent; the field gets the focus and the question
    // sound plays.
    bool refused = false;
    // To be written before the send starts; when it cannot be, the send is abandoned.
    std::optional<TemplateWrite> templateFile;
    SendRequest request;

    // False when the destinations resolve to nothing to send to (a group without active
    // users, say): a send task would then never report, so none is started.
    bool hasRecipients() const;
};

// The broadcast goes by datagram to the whole local network, on the default UDP port.
inline constexpr char kBroadcastDestination[] = "255.255.255.255:u";

// Turns a draft into a send: the body with the signature, the heading line, the recipients
// of "< All users >", "< All (broadcast) >" and the group entries, and both packet forms.
// `destinations` and `book` are the view's destination list and snapshot.
OutgoingMessage assembleOutgoing(const OutgoingDraft &draft, const OutgoingSender &sender,
                                 const DestinationList &destinations, const AddressBookSnapshot &book);

// Message lines end with CR LF on the wire; the editor gives LF.
QString withCrLf(const QString &text);

} // namespace tq
