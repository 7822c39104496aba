#include "messages/MessageTextForms.h"

#include "messages/DisplayText.h"

#include <QJsonValue>

namespace tq {
namespace {

struct RecordParts {
    QByteArray stamp; // without its line end; empty when the text has no line end
    QByteArray message;
};

RecordParts split(const QByteArray &text)
{
    const qsizetype lineFeed = text.indexOf('\n');
    if (lineFeed < 0)
        return {{}, text};
    QByteArray stamp = text.first(lineFeed);
    if (stamp.endsWith('\r'))
        stamp.chop(1);
    return {stamp, text.sliced(lineFeed + 1)};
}

// C0 and C1 control characters and DEL.
bool steersTerminal(QChar c)
{
    const char16_t code = c.unicode();
    return (code < 0x20 && code != u'\t' && code != u'\n') || (code >= 0x7F && code < 0xA0);
}

} // namespace

QString readableMessage(const MessageRecord &record)
{
    const RecordParts parts = split(record.text);
    QString readable;
    if (!parts.stamp.isEmpty())
        readable += displayText(parts.stamp) + QLatin1Char('\n');
    readable += QStringLiteral("From: ") + decodeMessageBytes(record.sender);
    if (record.highImportance)
        readable += QStringLiteral(", high importance");
    readable += QLatin1Char('\n');
    const QString message = displayText(parts.message);
    readable += message;
    if (!message.isEmpty() && !message.endsWith(QLatin1Char('\n')))
        readable += QLatin1Char('\n');
    readable += QLatin1Char('\n');
    return readable;
}

QString readableMessageForTerminal(const MessageRecord &record)
{
    QString readable = readableMessage(record);
    for (QChar &c : readable) {
        if (steersTerminal(c))
            c = QChar::ReplacementCharacter;
    }
    return readable;
}

QJsonObject messageJson(const MessageRecord &record, const QDateTime &arrival)
{
    const QDateTime withOffset = arrival.toOffsetFromUtc(arrival.offsetFromUtc());
    return QJsonObject{
        {QStringLiteral("arrival"), withOffset.toString(Qt::ISODateWithMs)},
        {QStringLiteral("sender"), decodeMessageBytes(record.sender)},
        {QStringLiteral("importance"), record.highImportance ? QStringLiteral("high") : QStringLiteral("normal")},
        {QStringLiteral("text"), displayText(split(record.text).message)},
        {QStringLiteral("file"),
         record.filePath.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(record.filePath)},
    };
}

} // namespace tq
