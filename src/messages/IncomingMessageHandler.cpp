#include "messages/IncomingMessageHandler.h"

#include "addressbook/AddressBookSnapshot.h"
#include "messages/DisplayText.h"
#include "messages/FilteredMessageFile.h"
#include "messages/MessageViewer.h"
#include "platform/FreeSpace.h"
#include "protocol/DeliveryReceipt.h"
#include "protocol/KeepTicket.h"
#include "protocol/MessageHeadings.h"
#include "protocol/MessagePacket.h"
#include "protocol/SenderAddress.h"

namespace tq {

IncomingMessageHandler::IncomingMessageHandler(MessageViewer &viewer, FilteredMessageFile &deadFile,
                                               const ArrivalStampFormat &format, const Clock &clock)
    : m_viewer(viewer)
    , m_deadFile(deadFile)
    , m_format(format)
    , m_sendDatagram(
          [](const QByteArray &ip, int port, const QByteArray &datagram) { sendDatagram(ip, port, datagram); })
    , m_receiptLimiter(clock)
    , m_now(&QDateTime::currentDateTime)
    , m_freeSpace(std::make_shared<FileSystemFreeSpace>())
    , m_files([this] {
        QMetaObject::invokeMethod(
            &m_context, [this] { takeWrittenFiles(); }, Qt::QueuedConnection);
    })
{
    // The address book holds names as text; the wire bytes are read as the display reads them.
    m_filterSources.isKnownSender = [this](const QByteArray &systemName) {
        return m_addressBook && m_addressBook->IsKnownSender(decodeMessageBytes(systemName));
    };
    m_filterSources.isDeactivatedSender = [this](const QByteArray &systemName) {
        return m_addressBook && m_addressBook->IsDeactivatedSender(decodeMessageBytes(systemName));
    };
    m_filterSources.newestRecord = [this]() -> std::optional<NewestRecord> {
        const MessageRecord *newest = m_viewer.messages().newest();
        if (!newest)
            return std::nullopt;
        return NewestRecord{newest->sender, newest->text};
    };
}

IncomingDecision IncomingMessageHandler::OnIncomingMessage(Transport transport, const ReceivedData &data)
{
    using Outcome = IncomingDecision::Outcome;
    IncomingDecision decision;
    const QByteArray &bytes = data.data;
    const bool isReceipt = isDeliveryReceipt(bytes);
    if (isReceipt && !m_settings.receiptsWanted) {
        decision.outcome = Outcome::ReceiptDropped;
        settle(data.ticket, std::nullopt);
        return decision;
    }
    if (isIdentificationProbe(bytes)) {
        decision.outcome = Outcome::ProbeDropped;
        settle(data.ticket, std::nullopt);
        return decision;
    }
    decision.diskSpaceChanged = checkDiskSpace();

    decision.local = isLocalSender(data.senderIp, m_settings.ownIp);
    const ParsedPacket packet = transport == Transport::Tcp ? ParseStreamPacket(bytes) : ParseDatagramPacket(bytes);
    // The sender's line of a message file ends at its first CR LF: a system name with a line
    // break in it would come back from the file as another sender with another text.
    const bool standard = packet.wellFormed && !packet.systemName.contains('\r') && !packet.systemName.contains('\n');
    const int ownPort = transport == Transport::Tcp ? m_settings.tcpPort : m_settings.udpPort;
    const int port = replyPort(packet.replyAddress, ownPort);
    const QByteArray address = senderAddress(data.senderIp, port, transport, ownPort);
    const QDateTime arrival = m_now();
    const QByteArray stamp = m_format.stamp(arrival);

    // Confirmed whatever the filters decide: the sender learns it arrived, not that it was shown.
    // Source and reply port may be forged, so receipts are paced; the message is kept either way.
    std::optional<Receipt> receipt;
    if (transport == Transport::Udp && standard && !isReceipt) {
        if (m_receiptLimiter.allow(data.senderIp)) {
            const ReceiptIdentity own{m_settings.ownSystemName, m_settings.ownEmail, m_settings.ownIp,
                                      m_settings.udpPort};
            receipt = Receipt{data.senderIp, port, BuildDeliveryReceipt(packet.text, stamp, own)};
            decision.receiptSent = true;
        } else {
            decision.receiptHeldBack = true;
        }
    }

    if (!standard) {
        const QByteArray buffer = nonStandardMessageBuffer(stamp, bytes);
        m_deadFile.SaveFilteredMessage(buffer, buffer.size());
        decision.outcome = Outcome::NonStandard;
        settle(data.ticket, receipt);
        return decision;
    }

    decision.verdict = RunIncomingFilters({packet.systemName, address, packet.text, stamp}, m_settings.filters,
                                          m_filterSources, m_deadFile);
    if (decision.verdict != FilterVerdict::Pass) {
        decision.outcome = Outcome::Filtered;
        settle(data.ticket, receipt);
        return decision;
    }

    MessageRecord record;
    record.text.reserve(stamp.size() + 2 + packet.text.size());
    record.text.append(stamp).append("\r\n").append(packet.text);
    record.sender = packet.systemName + '/' + address;
    record.highImportance = packet.importance == '1';
    record.arrival = ++m_arrivals;
    const bool toFile = m_settings.storeMessages && !m_diskNearlyFull;
    if (toFile) {
        m_files.write(record.arrival, packet.importance, packet.systemName, record.sender, record.text, arrival,
                      m_settings.messagesDir, [this, ticket = data.ticket, receipt] { settle(ticket, receipt); });
    }

    MessageList &list = m_viewer.messages();
    list.appendNewest(std::move(record));
    // One record at most leaves per arrival; its file stays for the next start.
    if (list.count() > kMaxRecords)
        list.removeOldest();
    if (!m_settings.keepShownMessage || list.count() == 1)
        list.selectNewest();
    if (!toFile)
        settle(data.ticket, receipt);

    decision.outcome = Outcome::Accepted;
    const bool autoAnswer = m_viewer.autoAnswerMode();
    decision.restoreWindow = !autoAnswer && m_settings.popupOnArrival;
    decision.offerQuote = !autoAnswer && m_viewer.composeReplaceable();
    // Answering an automatic answer or a receipt would set two stations in AutoAnswer mode
    // answering each other for ever.
    decision.answerAutomatically =
        autoAnswer && !decision.local && !isReceipt && !packet.text.startsWith(QByteArrayView(kAutoAnswerHeading));
    if (m_settings.soundOn)
        decision.sound = m_settings.soundFile;
    return decision;
}

void IncomingMessageHandler::flushFiles()
{
    m_files.flush();
    takeWrittenFiles();
}

void IncomingMessageHandler::takeWrittenFiles()
{
    for (const MessageFileWriter::Result &result : m_files.takeResults()) {
        // A record that has left the list already keeps no path; its file stays on disk.
        if (MessageRecord *record = m_viewer.messages().findArrival(result.id)) {
            record->filePath = result.path.value_or(QString());
            if (m_fileNamed && !record->filePath.isEmpty())
                m_fileNamed(*record);
        }
        // A file the disk refused leaves its ticket unkept: the sender hears nothing.
        if (result.kept && result.whenKept)
            result.whenKept();
    }
}

void IncomingMessageHandler::settle(const std::shared_ptr<KeepTicket> &ticket, const std::optional<Receipt> &receipt)
{
    if (receipt)
        m_sendDatagram(receipt->ip, receipt->port, receipt->datagram);
    if (ticket)
        ticket->kept();
}

void IncomingMessageHandler::setFreeSpaceProbe(std::shared_ptr<const FreeSpaceProbe> probe)
{
    m_freeSpace = std::move(probe);
}

bool IncomingMessageHandler::checkDiskSpace()
{
    // Only what this station writes is held back: nothing when it writes nothing.
    if (!m_freeSpace || m_settings.messagesDir.isEmpty())
        return false;
    const bool nearlyFull = m_freeSpace->nearlyFull(m_settings.messagesDir);
    if (nearlyFull == m_diskNearlyFull)
        return false;
    m_diskNearlyFull = nearlyFull;
    m_deadFile.setSuspended(nearlyFull);
    return true;
}

} // namespace tq
