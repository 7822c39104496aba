#include "station/OutgoingAssembly.h"

#include "addressbook/AddressBookSnapshot.h"
#include "addressbook/DestinationList.h"
#include "addressbook/TemplateFiles.h"
#include "protocol/MessagePacket.h"
#include "protocol/SendDestination.h"
#include "protocol/WireText.h"

#include <algorithm>

namespace tq {
namespace {

QString withoutLeadingSpace(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    return text.mid(start);
}

bool reachesAnyOf(const QString &recipients, const QSet<QString> &hosts, const OutgoingSender &sender)
{
    if (hosts.isEmpty())
        return false;
    const QStringList destinations = splitDestinationList(recipients);
    return std::any_of(destinations.begin(), destinations.end(), [&](const QString &destination) {
        return !mailAddressOf(destination)
            && hosts.contains(networkTarget(destination, sender.tcpPort, sender.udpPort, /*useProtocol=*/2).host);
    });
}

// The packet's fields, all in one encoding.
MessagePacket encodedPacket(const QString &text, const OutgoingSender &sender, char importance, bool windows1252)
{
    if (windows1252) {
        const auto encodedText = encodeWindows1252(text);
        const auto systemName = encodeWindows1252(sender.systemName);
        const auto email = encodeWindows1252(sender.email);
        if (encodedText && systemName && email)
            return {{}, *encodedText, *systemName, importance, *email};
    }
    return {{}, text.toUtf8(), sender.systemName.toUtf8(), importance, sender.email.toUtf8()};
}

} // namespace

QString withCrLf(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    result.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return result;
}

bool OutgoingMessage::hasRecipients() const
{
    return !refused && !splitDestinationList(request.destinations).isEmpty();
}

OutgoingMessage assembleOutgoing(const OutgoingDraft &draft, const OutgoingSender &sender,
                                 const DestinationList &destinations, const AddressBookSnapshot &book)
{
    OutgoingMessage out;
    const QString text = withCrLf(draft.composeText);
    const QString destination = withoutLeadingSpace(draft.destinationText);
    if (destination.isEmpty()) {
        out.refused = true;
        return out;
    }

    // An automatic answer carries the signature only in its e-mail body, where it follows
    // the text directly.
    QString body = text;
    const QString signature = withCrLf(sender.signature);
    if (!signature.isEmpty())
        body += draft.automaticAnswer ? signature : QStringLiteral("\r\n") + signature;

    QString packetText = draft.automaticAnswer
        ? QLatin1String(kAutoAnswerHeading) + sender.fullName + QStringLiteral(".\r\n\r\n") + text
        : QLatin1String(kMessageHeading) + sender.fullName + QStringLiteral(" to ") + destination
            + QStringLiteral(".\r\n\r\n") + body;

    QString recipients = destination;
    const qsizetype entry = destinations.resolve(destination, draft.selectedIndex);
    const std::optional<int> code = entry >= 0 ? std::optional<int>(destinations.at(entry).code) : std::optional<int>();
    if (code == kAllUsersCode && destination == DestinationList::allUsersText()) {
        out.templateFile = TemplateWrite{addressbook::templateBaseName(destination, *code), draft.composeText};
        recipients = book.knownList();
    } else if (code == kBroadcastCode && destination == DestinationList::broadcastText()) {
        out.templateFile = TemplateWrite{addressbook::templateBaseName(destination, *code), draft.composeText};
        recipients = QLatin1String(kBroadcastDestination);
        packetText = QLatin1String(kBroadcastHeading) + sender.fullName + QStringLiteral(".\r\n\r\n") + body;
    } else if (code && *code >= kFirstGroupCode) {
        // Named from what was typed, which may be only the beginning of the group's entry.
        out.templateFile = TemplateWrite{addressbook::templateBaseName(destination, *code), draft.composeText};
        recipients = book.groupMembers(*code - kFirstGroupCode);
    }

    const bool windows1252 = sender.preferWindows1252 || reachesAnyOf(recipients, sender.windows1252Hosts, sender);
    const MessagePacket packet = encodedPacket(packetText, sender, draft.importance, windows1252);
    SendRequest &request = out.request;
    request.destinations = recipients;
    request.streamPacket = BuildStreamPacket(packet, sender.ownIp, sender.tcpPort);
    request.datagramPacket = BuildDatagramPacket(packet, sender.ownIp, sender.udpPort);
    request.plainText = body.toUtf8();
    request.tcpPort = sender.tcpPort;
    request.udpPort = sender.udpPort;
    request.budgetMs = sender.budgetMs;
    request.automaticAnswer = draft.automaticAnswer;
    return out;
}

} // namespace tq
