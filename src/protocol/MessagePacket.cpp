#include "protocol/MessagePacket.h"

namespace tq {
namespace {

constexpr qsizetype kNotFound = -1;

// Stream markers are "/$" and a digit.
QByteArray streamMarker(char digit)
{
    return QByteArray("/$") + digit;
}

// The stream parse searches each marker from where the previous one begins, and accepts a
// marker only when it begins before `limit`. A previous marker that was not found makes the
// search fail at once.
qsizetype findStreamMarker(QByteArrayView data, char digit, qsizetype from, qsizetype limit)
{
    if (from == kNotFound)
        return kNotFound;
    const qsizetype pos = data.indexOf(streamMarker(digit), from);
    return pos != kNotFound && pos < limit ? pos : kNotFound;
}

QByteArray span(QByteArrayView data, qsizetype begin, qsizetype end)
{
    if (begin < 0 || end <= begin || end > data.size())
        return {};
    return data.sliced(begin, end - begin).toByteArray();
}

void appendDatagramMarker(QByteArray &out, char digit)
{
    out.append('\0');
    out.append('#');
    out.append(digit);
}

qsizetype findDatagramMarker(QByteArrayView data, char digit, qsizetype from)
{
    if (from == kNotFound)
        return kNotFound;
    const char marker[3] = {'\0', '#', digit};
    return data.indexOf(QByteArrayView(marker, 3), from);
}

} // namespace

QByteArray BuildStreamPacket(const MessagePacket &packet, QByteArrayView ownIp, int tcpPort)
{
    QByteArray out;
    out.reserve(packet.tag.size() + packet.text.size() + packet.systemName.size() + packet.email.size() + ownIp.size()
                + 40);
    out.append(packet.tag).append("/$0");
    out.append(packet.text).append("/$1");
    out.append(packet.systemName).append("/$2");
    out.append("/$3");
    out.append(packet.importance).append("/$4");
    out.append(packet.email).append("/$7/$5");
    out.append(ownIp).append(':').append(QByteArray::number(tcpPort)).append("/$6/$7");
    return out;
}

QByteArray BuildDatagramPacket(const MessagePacket &packet, QByteArrayView ownIp, int udpPort)
{
    QByteArray out;
    out.reserve(packet.tag.size() + packet.text.size() + packet.systemName.size() + packet.email.size() + ownIp.size()
                + 40);
    out.append(packet.tag);
    appendDatagramMarker(out, '0');
    out.append(packet.text);
    appendDatagramMarker(out, '1');
    out.append(packet.systemName);
    appendDatagramMarker(out, '2');
    appendDatagramMarker(out, '3');
    out.append(packet.importance);
    appendDatagramMarker(out, '4');
    out.append(packet.email);
    appendDatagramMarker(out, '5');
    out.append(ownIp).append(':').append(QByteArray::number(udpPort)).append('u');
    for (char digit : {'6', '7', '8', '9'})
        appendDatagramMarker(out, digit);
    out.append('\0');
    return out;
}

ParsedPacket ParseStreamPacket(QByteArrayView data)
{
    ParsedPacket result;
    const qsizetype nul = data.indexOf('\0');
    if (nul != kNotFound)
        data = data.first(nul);
    const qsizetype length = data.size();

    const qsizetype p0 = data.indexOf(QByteArrayView("/$0"));
    if (p0 == kNotFound)
        return result;
    const qsizetype textBegin = p0 + 3;
    const qsizetype p1 = findStreamMarker(data, '1', textBegin, length - 3);
    const qsizetype p2 = findStreamMarker(data, '2', p1, length - 3);
    const qsizetype p3 = findStreamMarker(data, '3', p2, length - 3);
    const qsizetype p4 = findStreamMarker(data, '4', p3, length - 3);
    const qsizetype p5 = findStreamMarker(data, '5', p4, length - 3);
    const qsizetype p6 = findStreamMarker(data, '6', p5, length - 2);
    if (p1 == kNotFound || p2 == kNotFound)
        return result;
    if (!data.endsWith(QByteArrayView("/$7")) && !data.endsWith(QByteArrayView("/$4\n")))
        return result;

    result.tag = data.first(p0).toByteArray();
    result.systemName = span(data, p1 + 3, p2);
    if (result.systemName.isEmpty())
        return result;
    if (p4 != kNotFound)
        result.importance = data.at(p3 + 3);
    result.text = span(data, textBegin, p1);
    // The email ends where the "/$7" in front of "/$5" begins.
    if (p4 != kNotFound && p5 != kNotFound)
        result.email = span(data, p4 + 3, p5 - 3);
    if (p6 != kNotFound)
        result.replyAddress = span(data, p5 + 3, p6);
    result.wellFormed = true;
    return result;
}

ParsedPacket ParseDatagramPacket(QByteArrayView data)
{
    ParsedPacket result;
    qsizetype marker[7];
    qsizetype from = 0;
    for (int i = 0; i < 7; ++i) {
        marker[i] = findDatagramMarker(data, static_cast<char>('0' + i), from);
        from = marker[i];
    }
    // A search starts where the previous marker was found, so a missing marker hides all
    // later ones: in effect every marker up to "#6" is required.
    if (marker[6] == kNotFound)
        return result;

    const qsizetype tagEnd = data.indexOf('\0');
    result.tag = data.first(tagEnd).toByteArray();
    result.systemName = span(data, marker[1] + 3, marker[2]);
    if (result.systemName.isEmpty())
        return result;
    result.importance = data.at(marker[3] + 3);
    result.text = span(data, marker[0] + 3, marker[1]);
    result.email = span(data, marker[4] + 3, marker[5]);
    result.replyAddress = span(data, marker[5] + 3, marker[6]);
    result.wellFormed = true;
    return result;
}

bool isDeliveryReceipt(QByteArrayView data)
{
    return data.startsWith(kReceiptKeyword);
}

bool isIdentificationProbe(QByteArrayView data)
{
    return data.startsWith(kProbeKeyword);
}

} // namespace tq
