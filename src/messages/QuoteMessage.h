#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tq {

// The start of a reply made from the text of a received message (the arrival stamp line,
// then the message as it came): the stamp line goes, so does the heading that the sending
// station put before the message (with the empty line after it), and every remaining line
// is prefixed with '>'. The result always ends with "\r\n>\r\n", so the reply starts on a
// fresh line below the quote. An empty text gives an empty quote.
QByteArray QuoteMessage(QByteArrayView recordText);

// The part of a record's text that a reply quotes: the message without the arrival stamp line
// and without the heading the sending station put before it.
QByteArrayView quotedPart(QByteArrayView recordText);

} // namespace tq
