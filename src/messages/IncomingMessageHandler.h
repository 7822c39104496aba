#pragma once

#include "messages/ArrivalStamp.h"
#include "messages/IncomingFilters.h"
#include "messages/MessageFileWriter.h"
#include "platform/Clock.h"
#include "protocol/ReceiptRateLimiter.h"
#include "protocol/ReceivedData.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace tq {

class AddressBookSnapshot;
class FilteredMessageFile;
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
    bool receiptSent = false;
    bool receiptHeldBack = false; // a receipt was due, but over the rate limit

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
    void setStampFormat(const ArrivalStampFormat &format) { m_format = format; }

    IncomingDecision OnIncomingMessage(Transport transport, const ReceivedData &data);

    // Receipts held back by the rate limit since the handler was made.
    quint64 receiptsNotSent() const { return m_receiptLimiter.refused(); }

    // Message files are written in the background, and a record names its file once it is
    // there. This returns when every file is on disk and named in its record; whatever deletes
    // message files calls it first.
    void flushFiles();

private:
    void takeWrittenFiles();

    MessageViewer &m_viewer;
    FilteredMessageFile &m_deadFile;
    ArrivalStampFormat m_format;
    IncomingSettings m_settings;
    const AddressBookSnapshot *m_addressBook = nullptr;
    IncomingFilterSources m_filterSources;
    DatagramSender m_sendDatagram;
    ReceiptRateLimiter m_receiptLimiter;
    WallClock m_now;
    quint64 m_arrivals = 0;
    // The writer's results are taken on the handler's thread.
    QObject m_context;
    MessageFileWriter m_files;
};

} // namespace tq
