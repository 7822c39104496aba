#include "messages/QuoteMessage.h"

namespace tq {
namespace {

// Headings other stations write before a message. They travel on the wire, so they are
// recognised in this exact spelling whatever language the program itself shows.
constexpr QByteArrayView kYouWroteEnding{" You Wrote:"};
constexpr QByteArrayView kMessageHeading{"Message from"};
constexpr QByteArrayView kAutoAnswerHeading{"Autoanswer from "};
constexpr QByteArrayView kBroadcastHeading{"Broadcast message from "};

// Everything after the first line, or nothing when there is no line end.
QByteArrayView afterFirstLine(QByteArrayView text)
{
    const qsizetype lineFeed = text.indexOf('\n');
    return lineFeed < 0 ? QByteArrayView() : text.sliced(lineFeed + 1);
}

bool hasHeading(QByteArrayView text)
{
    const qsizetype lineFeed = text.indexOf('\n');
    QByteArrayView firstLine = lineFeed < 0 ? text : text.first(lineFeed);
    if (firstLine.endsWith('\r'))
        firstLine.chop(1);
    return firstLine.endsWith(kYouWroteEnding) || text.startsWith(kMessageHeading)
        || text.startsWith(kAutoAnswerHeading) || text.startsWith(kBroadcastHeading);
}

// The empty line that follows a heading. A station that left it out keeps its first line.
QByteArrayView withoutLeadingEmptyLine(QByteArrayView text)
{
    if (text.startsWith("\r\n"))
        return text.sliced(2);
    if (text.startsWith('\n'))
        return text.sliced(1);
    return text;
}

} // namespace

QByteArrayView quotedPart(QByteArrayView recordText)
{
    QByteArrayView body = afterFirstLine(recordText);
    if (hasHeading(body))
        body = withoutLeadingEmptyLine(afterFirstLine(body));
    return body;
}

QByteArray QuoteMessage(QByteArrayView recordText)
{
    if (recordText.isEmpty())
        return {};
    const QByteArrayView body = quotedPart(recordText);

    QByteArray quote;
    quote.reserve(body.size() + body.count('\n') + 6);
    quote.append('>');
    for (const char c : body) {
        quote.append(c);
        if (c == '\n')
            quote.append('>');
    }
    quote.append("\r\n>\r\n");
    return quote;
}

} // namespace tq
