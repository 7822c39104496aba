#pragma once

#include <QMetaType>

namespace tq {

// The codes of the send-result event: the outcome of a send, or the state of a receiver. The
// numbers are the event's own and stay as they are.
enum class SendResultCode : int {
    Delivered = 0, // every network destination of a send confirmed
    Listening = 2, // a receiver listens on the port its text names
    PortBusy = 3, // a receiver found its port taken by another program
    LengthMismatch = 4, // a TCP receiver answered another length than was sent (the text: its host)
    MailSent = 5, // the e-mail part of a send succeeded
    MailFailed = 6, // the e-mail part of a send failed (the text: why)
    NotDelivered = 10, // plus the number of destinations not confirmed (the text: their list)
};

// The code of a send whose `count` destinations were not confirmed.
constexpr SendResultCode notDeliveredCode(int count)
{
    return SendResultCode(int(SendResultCode::NotDelivered) + count);
}

// How many destinations a code reports as not confirmed; 0 for every other code.
constexpr int notDeliveredCount(SendResultCode code)
{
    return int(code) > int(SendResultCode::MailFailed) ? int(code) - int(SendResultCode::NotDelivered) : 0;
}

// A send's final outcome (after which it reports nothing more about its network part), as
// against a receiver's state or a warning about one destination.
constexpr bool endsTheSend(SendResultCode code)
{
    return code == SendResultCode::Delivered || int(code) >= int(SendResultCode::MailSent);
}

} // namespace tq

Q_DECLARE_METATYPE(tq::SendResultCode)
