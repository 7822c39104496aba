#pragma once

#include "messages/ArrivalStamp.h"
#include "messages/IncomingFilters.h"
#include "messages/MessageFileWriter.h"
#include "messages/MessageRecord.h"
#include "platform/Clock.h"
#include "protocol/ReceiptRateLimiter.h"
#include "protocol/ReceivedData.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace tq {

class AddressBookSnapshot;
class FilteredMessageFile;
class FreeSpaceProbe;
class KeepTicket;
class MessageViewer;

// What the incoming road consults, as the station holds it.
struct IncomingSettings {
    QByteArray ownIp;
    QByteArray ownSystemName; // "System Name", as it goes on the wire
    QByteArray ownEmail; // "E-mailAddress"
    int tcpPort = 7777;
    int udpPort = 7777; // already the TCP port when "UDP Port" is 0
    bool receiptsWanted = false; // "RecvNMessages"
    bool storeMessages = false; // "StoreAndLoad"
    bool keepShownMessage = false; // "DontAutoLast"
    bool soundOn = true; // "EnableSound"
    QString soundFile; // "SoundFile"
    bool popupOnArrival = false; // "Popup"
    IncomingFilterSettings filters;
    QString messagesDir;
};

// What became of one received packet, and what the view is to do about it.
struct IncomingDecision {
    enum class Outcome {
        ReceiptDropped, // a delivery receipt, and receipts are not wanted
        ProbeDropped, // an identification probe
        NonStandard, // not a packet; kept in the filtered-message file
        Filtered, // a filter held it back (see verdict)
        Accepted, // in the list, shown, counted
    };
    Outcome outcome = Outcome::ReceiptDropped;
    FilterVerdict verdict = FilterVerdict::Pass;
    bool local = false; // from this machine
    bool receiptSent = false; // or goes out once the message is kept
    bool receiptHeldBack = false; // a receipt was due, but over the rate limit
    bool diskSpaceChanged = false; // the disk became nearly full, or has room again (see diskNearlyFull)

    // For an accepted message only:
    bool restoreWindow = false; // the pop-up: bring the main window up
    bool offerQuote = false; // the compose box may take a quote of the message
    bool answerAutomatically = false; // AutoAnswer mode is on and the sender is not local
    std::optional<QString> sound; // play this, with the beep when it cannot be played
};

// The road every received packet takes: the receipt and probe gates, the parse, the sender's
// reply address, the arrival stamp, the delivery receipt of a UDP message, the filters, and
// for an accepted message its file, its record in the message list (at most kMaxRecords stay
// after an arrival) and the selection. The view shows what it decides.
// The receiver hears that a message is kept (its ticket), and a UDP sender gets its receipt,
// only once the message is handled for good: its file on the disk, its filtered entry
// written, its record in the list when nothing is stored, or dropped by the rules. While the
// disk is nearly full, new messages are kept in memory only and nothing filtered is written.

class IncomingMessageHandler {
public:
    static constexpr quint32 kMaxRecords = 100;

    using DatagramSender = std::function<void(const QByteArray &ip, int port, const QByteArray &datagram)>;
    using WallClock = std::function<QDateTime()>;

    // `clock` paces the delivery receipts.
    IncomingMessageHandler(MessageViewer &viewer, FilteredMessageFile &deadFile,
                           const ArrivalStampFormat &format = ArrivalStampFormat(), const Clock &clock = steadyClock());

    void setSettings(const IncomingSettings &settings) { m_settings = settings; }
    const IncomingSettings &settings() const { return m_settings; }
    void setPopupOnArrival(bool on) { m_settings.popupOnArrival = on; }
    // The snapshot the address-book filters look names up in; none finds nobody.
    void setAddressBook(const AddressBookSnapshot *snapshot) { m_addressBook = snapshot; }
    // Tests put their own in place of the network, the local time and the user's locale.
    void setDatagramSender(DatagramSender sender) { m_sendDatagram = std::move(sender); }
    void setWallClock(WallClock clock) { m_now = std::move(clock); }
    // Where the free space of the messages folder is looked up; tests fake a full disk.
    void setFreeSpaceProbe(std::shared_ptr<const FreeSpaceProbe> probe);
    bool diskNearlyFull() const { return m_diskNearlyFull; }
    // Off: message files are not flushed to the disk before the sender hears (benchmarks).
    void setFlushToDisk(bool on) { m_files.setFlushToDisk(on); }
    void setStampFormat(const ArrivalStampFormat &format) { m_format = format; }
    // Told of each record in the list once its file is on disk and named in it.
    void setFileNamedHandler(std::function<void(const MessageRecord &)> handler) { m_fileNamed = std::move(handler); }

    IncomingDecision OnIncomingMessage(Transport transport, const ReceivedData &data);

    // Receipts held back by the rate limit since the handler was made.
    quint64 receiptsNotSent() const { return m_receiptLimiter.refused(); }

    // Message files are written in the background, and a record names its file once it is
    // there. This returns when every file is on disk and named in its record; whatever deletes
    // message files calls it first.
    void flushFiles();

private:
    struct Receipt {
        QByteArray ip;
        int port = 0;
        QByteArray datagram;
    };
    void takeWrittenFiles();
    // The message is handled for good: its receipt goes out and its receiver may answer.
    void settle(const std::shared_ptr<KeepTicket> &ticket, const std::optional<Receipt> &receipt);
    // Looks the free space up; true when that changed the mode.
    bool checkDiskSpace();

    MessageViewer &m_viewer;
    FilteredMessageFile &m_deadFile;
    std::function<void(const MessageRecord &)> m_fileNamed;
    ArrivalStampFormat m_format;
    IncomingSettings m_settings;
    const AddressBookSnapshot *m_addressBook = nullptr;
    IncomingFilterSources m_filterSources;
    DatagramSender m_sendDatagram;
    ReceiptRateLimiter m_receiptLimiter;
    WallClock m_now;
    quint64 m_arrivals = 0;
    std::shared_ptr<const FreeSpaceProbe> m_freeSpace;
    bool m_diskNearlyFull = false;
    // The writer's results are taken on the handler's thread.
    QObject m_context;
    MessageFileWriter m_files;
};

} // namespace tq
