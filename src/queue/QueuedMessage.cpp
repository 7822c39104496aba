#include "queue/QueuedMessage.h"

#include "messages/DisplayText.h"
#include "protocol/MessagePacket.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace tq {
namespace {

constexpr char kFormatName[] = "tarquel-waiting-message";

QString hostPart(const QString &hostAndPort)
{
    const qsizetype colon = hostAndPort.lastIndexOf(QLatin1Char(':'));
    return (colon < 0 ? hostAndPort : hostAndPort.first(colon)).trimmed();
}

QString utcText(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QDateTime utcTime(const QJsonValue &value)
{
    QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    return time.isValid() ? time.toUTC() : QDateTime();
}

std::optional<QByteArray> base64(const QJsonValue &value)
{
    if (!value.isString())
        return std::nullopt;
    const auto decoded =
        QByteArray::fromBase64Encoding(value.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return *decoded;
}

bool readEntry(const QJsonObject &object, QueuedMessage &entry)
{
    const QString transport = object.value(QLatin1String("transport")).toString();
    if (transport != QLatin1String("tcp") && transport != QLatin1String("udp"))
        return false;
    entry.transport = transport == QLatin1String("udp") ? SendTransport::Udp : SendTransport::Tcp;
    entry.port = object.value(QLatin1String("port")).toInt(0);
    entry.destination = object.value(QLatin1String("destination")).toString();
    entry.name = object.value(QLatin1String("name")).toString();
    entry.host = object.value(QLatin1String("host")).toString();
    entry.address = object.value(QLatin1String("address")).toString();
    entry.queuedAt = utcTime(object.value(QLatin1String("queued")));
    entry.attempts = qMax(0, object.value(QLatin1String("attempts")).toInt(0));
    entry.lastAttemptAt = utcTime(object.value(QLatin1String("lastAttempt")));
    entry.lastOutcome = outcomeFromKey(object.value(QLatin1String("lastResult")).toString());
    const auto stream = base64(object.value(QLatin1String("stream")));
    const auto datagram = base64(object.value(QLatin1String("datagram")));
    if (!stream || !datagram)
        return false;
    entry.streamPacket = *stream;
    entry.datagramPacket = *datagram;
    return entry.port >= 1 && entry.port <= 65535 && !entry.host.isEmpty() && entry.queuedAt.isValid()
        && !entry.packet().isEmpty();
}

} // namespace

const QByteArray &QueuedMessage::packet() const
{
    return transport == SendTransport::Udp ? datagramPacket : streamPacket;
}

QByteArray QueuedMessage::text() const
{
    const ParsedPacket parsed =
        transport == SendTransport::Udp ? ParseDatagramPacket(datagramPacket) : ParseStreamPacket(streamPacket);
    return parsed.wellFormed ? parsed.text : QByteArray();
}

QString QueuedMessage::firstLine() const
{
    const QList<QByteArray> lines = text().split('\n');
    // The heading ("Message from Ann to Bob.") comes first; the user's words after it.
    for (qsizetype i = lines.size() > 1 ? 1 : 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (!line.isEmpty())
            return decodeMessageBytes(line);
    }
    return {};
}

bool QueuedMessage::isForHost(const QString &otherHost) const
{
    const QString wanted = hostPart(otherHost);
    if (wanted.isEmpty())
        return false;
    return wanted.compare(host, Qt::CaseInsensitive) == 0 || (!address.isEmpty() && wanted == address);
}

QDateTime QueuedMessage::expiresAt(int retryDays) const
{
    return queuedAt.addSecs(qint64(qMax(0, retryDays)) * 24 * 3600);
}

QByteArray encodeQueuedMessage(const QueuedMessage &entry)
{
    QJsonObject object;
    object.insert(QLatin1String("format"), QLatin1String(kFormatName));
    object.insert(QLatin1String("version"), kQueueFormatVersion);
    object.insert(QLatin1String("destination"), entry.destination);
    object.insert(QLatin1String("name"), entry.name);
    object.insert(QLatin1String("host"), entry.host);
    object.insert(QLatin1String("address"), entry.address);
    object.insert(QLatin1String("transport"),
                  entry.transport == SendTransport::Udp ? QLatin1String("udp") : QLatin1String("tcp"));
    object.insert(QLatin1String("port"), entry.port);
    object.insert(QLatin1String("queued"), utcText(entry.queuedAt));
    object.insert(QLatin1String("attempts"), entry.attempts);
    object.insert(QLatin1String("lastAttempt"), utcText(entry.lastAttemptAt));
    object.insert(QLatin1String("lastResult"), entry.lastOutcome ? outcomeKey(*entry.lastOutcome) : QString());
    object.insert(QLatin1String("stream"), QString::fromLatin1(entry.streamPacket.toBase64()));
    object.insert(QLatin1String("datagram"), QString::fromLatin1(entry.datagramPacket.toBase64()));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

DecodedQueueFile decodeQueuedMessage(const QByteArray &bytes)
{
    DecodedQueueFile decoded;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return decoded;
    const QJsonObject object = document.object();
    if (object.value(QLatin1String("format")).toString() != QLatin1String(kFormatName))
        return decoded;
    const int version = object.value(QLatin1String("version")).toInt(0);
    if (version > kQueueFormatVersion) {
        decoded.kind = QueueFileKind::Newer;
        return decoded;
    }
    if (version == kQueueFormatVersion && readEntry(object, decoded.entry))
        decoded.kind = QueueFileKind::Entry;
    return decoded;
}

} // namespace tq
